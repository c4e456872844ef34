// Where the system has no iconv, the tables made from it stand in.
#include "common/cp932.h"
#include "common/sjis_utf8.h"

namespace quorvel {

std::string sjisToUtf8(std::string_view sjis) {
    return cp932::toUtf8(sjis);
}

std::string utf8ToSjis(std::string_view utf8, bool& ok) {
    return cp932::fromUtf8(utf8, ok);
}

}  // namespace quorvel
