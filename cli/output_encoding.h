#pragma once
// The terminal edge: texts are Shift-JIS inside and UTF-8 outside unless --sjis asks otherwise.
#include <string>
#include <string_view>

namespace quorvel::cli {

// Converts Shift-JIS (CP932) to UTF-8; a byte that is not CP932 becomes U+FFFD.
std::string sjisToUtf8(std::string_view sjis);

// The inverse, for arguments typed in a UTF-8 terminal; empty optional-like result on failure
// is signalled by `ok` = false.
std::string utf8ToSjis(std::string_view utf8, bool& ok);

// A text as the user asked to see it.
inline std::string forOutput(std::string_view sjis, bool sjisOutput) {
    return sjisOutput ? std::string(sjis) : sjisToUtf8(sjis);
}

}  // namespace quorvel::cli
