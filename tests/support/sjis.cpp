#include "tests/support/sjis.h"

#include <iconv.h>

#include <stdexcept>

#include "common/gaiji.h"

namespace quorvel::test {

namespace {

std::string convert(const char* to, const char* from, std::string_view input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("no iconv converter");
    }
    std::string out(input.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1)) {
        throw std::runtime_error("text cannot be converted: " + std::string(input));
    }
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

std::string sjis(std::string_view utf8Text) {
    return convert("CP932", "UTF-8", gaiji::toPrivateUse(std::string(utf8Text)));
}
std::string utf8(std::string_view sjisText) {
    return gaiji::toCharacters(convert("UTF-8", "CP932", sjisText));
}

}  // namespace quorvel::test
