#pragma once
// Texts with places for what the program fills in: %1 ... %9 stand for the values in order.
#include <initializer_list>
#include <string>
#include <string_view>

namespace quorvel {

// The pattern with each %N replaced by the N-th value (empty where none is given). '%' and the
// digits are single bytes that no Shift-JIS character holds as its second byte.
inline std::string fillText(std::string_view pattern,
                            std::initializer_list<std::string_view> values) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9') {
            const auto n = static_cast<std::size_t>(next - '1');
            if (n < values.size()) {
                out += values.begin()[n];
            }
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}  // namespace quorvel
