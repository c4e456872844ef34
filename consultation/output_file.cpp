#include "consultation/output_file.h"

#include "common/fixed_text.h"
#include "common/sjis_utf8.h"
#include "platform/files.h"

namespace quorvel {

namespace {

bool isForbiddenInFileName(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' ||
           c == '"' || c == '<' || c == '>' || c == '|';
}

constexpr bool isSjisTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

bool isDefinedPair(std::string_view pair) {
    return sjisToUtf8(pair).find("\xEF\xBF\xBD") == std::string::npos;  // U+FFFD
}

}  // namespace

std::string outputPathFor(std::string_view sjisName) {
    std::string safe;
    for (std::size_t i = 0; i < sjisName.size(); ++i) {
        const auto c = static_cast<unsigned char>(sjisName[i]);
        if (isSjisLeadByte(c)) {
            if (i + 1 < sjisName.size() &&
                isSjisTrailByte(static_cast<unsigned char>(sjisName[i + 1]))) {
                // A pair with no character in CP932 would reach the name as a replacement
                // character and a bare trail byte, which may be "\\" or "|".
                const std::string_view pair = sjisName.substr(i, 2);
                safe += isDefinedPair(pair) ? pair : std::string_view("_");
                ++i;
            } else {
                safe += '_';
            }
        } else {
            safe += isForbiddenInFileName(c) ? '_' : static_cast<char>(c);
        }
    }
    if (safe == "." || safe == "..") {
        safe = "_";
    }
    return sjisToUtf8(safe);
}

bool writeOutputFile(std::string_view sjisFileName, std::string_view text) {
    return platform::replaceFile(outputPathFor(sjisFileName).c_str(), text);
}

bool writeOutputPath(const char* utf8Path, std::string_view bytes) {
    return platform::replaceFile(utf8Path, bytes);
}

}  // namespace quorvel
