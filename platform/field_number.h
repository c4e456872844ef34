#pragma once
// How a dialog field's text reads as an unsigned number, the way Windows reads edit fields:
// blanks around a plain run of decimal digits are allowed; anything else, an empty field, a sign
// or a value past 32 bits reads as 0.
#include <string_view>

namespace quorvel::platform {

constexpr unsigned readUnsignedField(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ') {
        ++begin;
    }
    while (end > begin && text[end - 1] == ' ') {
        --end;
    }
    if (begin == end) {
        return 0;
    }
    unsigned long long value = 0;
    for (std::size_t i = begin; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return 0;
        }
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
        if (value > 0xFFFFFFFFull) {
            return 0;
        }
    }
    return static_cast<unsigned>(value);
}

}  // namespace quorvel::platform
