// Where there is no iconv, the tables made from it (held to iconv by the cp932 tests on Linux).
#include <stdexcept>

#include "common/cp932.h"
#include "tests/support/sjis.h"

namespace quorvel::test {

std::string sjis(std::string_view utf8Text) {
    bool ok = true;
    std::string out = cp932::fromUtf8(utf8Text, ok);
    if (!ok) {
        throw std::runtime_error("text cannot be converted: " + std::string(utf8Text));
    }
    return out;
}

std::string utf8(std::string_view sjisText) {
    return cp932::toUtf8(sjisText);
}

}  // namespace quorvel::test
