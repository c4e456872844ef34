#pragma once
// Texts made safe for the report's HTML.
#include <string>
#include <string_view>

namespace quorvel::html {

// A UTF-8 text with & < > " ' written as character references.
std::string escaped(std::string_view utf8);

// A Shift-JIS text of the program as escaped UTF-8.
std::string t(std::string_view sjis);

}  // namespace quorvel::html
