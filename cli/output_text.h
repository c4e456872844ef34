#pragma once
// The terminal edge: texts are Shift-JIS inside and UTF-8 outside unless --sjis asks otherwise.
#include <string>
#include <string_view>

#include "common/sjis_utf8.h"

namespace quorvel::cli {

inline std::string forOutput(std::string_view sjis, bool sjisOutput) {
    return sjisOutput ? std::string(sjis) : sjisToUtf8(sjis);
}

}  // namespace quorvel::cli
