#pragma once
// The terminal edge: texts are Shift-JIS inside and leave as UTF-8, or as Shift-JIS when
// `sjisOutput` says so (--sjis, or a console whose code page is 932).
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/output_encoding.h"
#include "common/sjis_utf8.h"
#include "platform/console.h"

namespace quorvel::cli {

inline std::string forOutput(std::string_view sjis, bool sjisOutput) {
    return sjisOutput ? std::string(sjis) : sjisToUtf8(sjis);
}

// A message already in the output encoding on standard error, ended by a line feed as a
// terminal wants it, in standard error's code page; a console window is given characters.
inline void tellConverted(std::FILE* err, std::string text, bool sjisOutput) {
    if (!text.ends_with('\n')) {
        text += '\n';
    }
    if (platform::isConsole(err)) {
        platform::writeConsole(err, text, sjisOutput);
        return;
    }
    if (errorCodePage() != 0) {
        text = platform::recode(text,
                                sjisOutput ? platform::kShiftJisCodePage : platform::kUtf8CodePage,
                                errorCodePage());
    }
    std::fwrite(text.data(), 1, text.size(), err);
}

// The program's message on standard error.
inline void tell(std::FILE* err, std::string_view sjisText, bool sjisOutput) {
    tellConverted(err, forOutput(sjisText, sjisOutput), sjisOutput);
}

}  // namespace quorvel::cli
