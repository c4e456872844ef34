#pragma once
// Shift-JIS (CP932) <-> UTF-8, for the edges where text leaves the program: the terminal and
// file names on POSIX systems.
#include <string>
#include <string_view>

namespace quorvel {

// Converts Shift-JIS (CP932) to UTF-8; a byte that is not CP932 becomes U+FFFD.
std::string sjisToUtf8(std::string_view sjis);

// The inverse; a character with no CP932 form becomes "?", as Windows writes it, and `ok` turns
// false.
std::string utf8ToSjis(std::string_view utf8, bool& ok);

}  // namespace quorvel
