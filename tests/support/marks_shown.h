#pragma once
// What a reader sees of the grade marks in a text: read off its characters, independently of the
// program's mark tables, so that tests can hold those tables to the stored texts.
#include <string>
#include <string_view>

namespace quorvel::test {

// The marks ◎〇○△▲●★☆ of a UTF-8 text, in order, as UTF-8 ("☆〇").
std::string marksShown(std::string_view utf8Text);

}  // namespace quorvel::test
