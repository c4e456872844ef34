#pragma once
// How a table's heading click orders two cells, the same in every backend: cells made of numbers
// (an age, a record number, a date such as 1990/5/20 or a time such as 10:30) compare by those
// numbers, group by group; any other cell is left to the system's order of texts.
#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvel::platform {

struct NumberGroups {
    static constexpr int kCapacity = 4;
    std::int64_t values[kCapacity] = {};
    int count = 0;
};

// The numbers of a cell of digit groups joined by '/' or ':', or none for any other text (an
// empty cell, a sign, a space, more groups than the capacity, a group too long to hold).
template <typename Char>
std::optional<NumberGroups> numberGroups(std::basic_string_view<Char> cell) {
    constexpr int kMostDigits = 18;  // within int64
    NumberGroups groups;
    int digits = 0;
    for (const Char c : cell) {
        if (c >= Char('0') && c <= Char('9')) {
            if (digits == 0 && ++groups.count > NumberGroups::kCapacity) {
                return std::nullopt;
            }
            if (++digits > kMostDigits) {
                return std::nullopt;
            }
            std::int64_t& value = groups.values[groups.count - 1];
            value = value * 10 + (c - Char('0'));
        } else if ((c == Char('/') || c == Char(':')) && digits > 0) {
            digits = 0;
        } else {
            return std::nullopt;
        }
    }
    return digits > 0 ? std::optional<NumberGroups>(groups) : std::nullopt;
}

// Negative, zero or positive as `a` comes before, with or after `b`; a date with fewer groups
// (1990/5) before a longer one of the same start (1990/5/20).
int compareNumberGroups(const NumberGroups& a, const NumberGroups& b);

}  // namespace quorvel::platform
