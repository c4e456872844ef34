#pragma once
// Tests spell their expectations in UTF-8; this turns them into the program's Shift-JIS bytes,
// independently of the generated tables.
#include <string>
#include <string_view>

namespace quorvel::test {

std::string sjis(std::string_view utf8);
std::string utf8(std::string_view sjisText);

// The last `count` characters of a UTF-8 text.
std::string lastCharacters(std::string_view utf8Text, int count);

}  // namespace quorvel::test
