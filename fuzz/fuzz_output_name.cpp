// Any Shift-JIS bytes as the name of an output file: what is created stays one plain name in the
// working folder.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "consultation/output_file.h"

namespace {

bool forbidden(unsigned char c) {
    return c < 0x20 || c == 0x7F ||
           std::string_view("/\\:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

// U+0080-U+009F, the second set of control characters, in UTF-8.
bool hasC1Control(std::string_view utf8) {
    for (std::size_t i = 0; i + 1 < utf8.size(); ++i) {
        if (static_cast<unsigned char>(utf8[i]) == 0xC2 &&
            static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view sjisName(reinterpret_cast<const char*>(data), size);
    const std::string name = quorvel::outputPathFor(sjisName);
    for (const char c : name) {
        if (forbidden(static_cast<unsigned char>(c))) {
            __builtin_trap();
        }
    }
    if (name == "." || name == ".." || hasC1Control(name) || name.empty() != sjisName.empty()) {
        __builtin_trap();
    }
    return 0;
}
