#include "common/sjis_utf8.h"

#include <iconv.h>

namespace quorvel {

namespace {

// Runs one iconv conversion; an unconvertible byte is replaced by `replacement` and skipped.
std::string convert(const char* to, const char* from, std::string_view input,
                    std::string_view replacement, bool& ok) {
    ok = true;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ok = false;
        return {};
    }
    std::string out;
    char buffer[1024];
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, sizeof buffer - outLeft);
        if (result == static_cast<size_t>(-1) && outLeft == sizeof buffer) {
            // Not a buffer-full stop: the input holds a byte the converter refuses.
            ok = false;
            out.append(replacement);
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string sjisToUtf8(std::string_view sjis) {
    bool ok = true;
    return convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD", ok);
}

std::string utf8ToSjis(std::string_view utf8, bool& ok) {
    return convert("CP932", "UTF-8", utf8, "?", ok);
}

}  // namespace quorvel
