#pragma once
// Reading what a person typed into a Shift-JIS edit field the way Japanese users type it: with
// the input method's full-width digits and blanks as well as ASCII ones.
#include <optional>
#include <string_view>

#include "common/fixed_text.h"

namespace quorvel {

// A half-width blank or the ideographic (full-width) blank, 0x81 0x40, at `at`; 0 for neither.
constexpr std::size_t sjisBlankWidth(std::string_view text, std::size_t at) {
    if (at < text.size() && text[at] == ' ') {
        return 1;
    }
    if (at + 1 < text.size() && static_cast<unsigned char>(text[at]) == 0x81 &&
        static_cast<unsigned char>(text[at + 1]) == 0x40) {
        return 2;
    }
    return 0;
}

// The text without the blanks around it.
constexpr std::string_view trimSjisBlanks(std::string_view text) {
    std::size_t begin = 0;
    while (const std::size_t w = sjisBlankWidth(text, begin)) {
        begin += w;
    }
    // Scanning forward keeps a trail byte 0x40 of another character from reading as a blank.
    std::size_t end = begin;
    std::size_t at = begin;
    while (at < text.size()) {
        const std::size_t blank = sjisBlankWidth(text, at);
        if (blank != 0) {
            at += blank;
            continue;
        }
        at +=
            isSjisLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2u : 1u;
        end = at;
    }
    return text.substr(begin, end - begin);
}

// The unsigned number a field holds: ASCII or full-width digits (0x82 0x4F-0x58), blanks of either
// width around them. Nothing else is a number: an empty field, a sign, a letter, a unit such as
// 時, or more than nine digits gives nothing.
constexpr std::optional<unsigned> readTypedNumber(std::string_view text) {
    const std::string_view digits = trimSjisBlanks(text);
    if (digits.empty()) {
        return std::nullopt;
    }
    unsigned value = 0;
    int count = 0;
    for (std::size_t at = 0; at < digits.size(); ++count) {
        unsigned digit = 0;
        if (digits[at] >= '0' && digits[at] <= '9') {
            digit = static_cast<unsigned>(digits[at] - '0');
            at += 1;
        } else if (at + 1 < digits.size() && static_cast<unsigned char>(digits[at]) == 0x82 &&
                   static_cast<unsigned char>(digits[at + 1]) >= 0x4F &&
                   static_cast<unsigned char>(digits[at + 1]) <= 0x58) {
            digit = static_cast<unsigned char>(digits[at + 1]) - 0x4Fu;
            at += 2;
        } else {
            return std::nullopt;
        }
        if (count == 9) {
            return std::nullopt;
        }
        value = value * 10 + digit;
    }
    return value;
}

}  // namespace quorvel
