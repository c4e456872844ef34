#include "tests/support/sjis.h"

namespace quorvel::test {

std::string lastCharacters(std::string_view utf8Text, int count) {
    std::size_t at = utf8Text.size();
    for (int n = 0; n < count && at > 0; ++n) {
        do {
            --at;
        } while (at > 0 && (static_cast<unsigned char>(utf8Text[at]) & 0xC0) == 0x80);
    }
    return std::string(utf8Text.substr(at));
}

}  // namespace quorvel::test
