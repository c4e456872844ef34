#pragma once
// Shift-JIS (CP932) <-> UTF-8 from tables made at build time out of glibc's iconv, for systems
// without iconv: the conversion, replacements included, is byte for byte the one of
// common/sjis_utf8.h on Linux.
#include <string>
#include <string_view>

namespace quorvel::cp932 {

// A byte that starts no CP932 character becomes U+FFFD and is passed by itself.
std::string toUtf8(std::string_view sjis);

// A character with no CP932 form, or a malformed UTF-8 sequence, becomes "?" and `ok` turns false.
std::string fromUtf8(std::string_view utf8, bool& ok);

}  // namespace quorvel::cp932
