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

// The digit at `at`, ASCII or full-width (0x82 0x4F-0x58), and its width in bytes; width 0 for
// anything else.
constexpr unsigned typedDigitAt(std::string_view text, std::size_t at, std::size_t& width) {
    if (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        width = 1;
        return static_cast<unsigned>(text[at] - '0');
    }
    if (at + 1 < text.size() && static_cast<unsigned char>(text[at]) == 0x82 &&
        static_cast<unsigned char>(text[at + 1]) >= 0x4F &&
        static_cast<unsigned char>(text[at + 1]) <= 0x58) {
        width = 2;
        return static_cast<unsigned char>(text[at + 1]) - 0x4Fu;
    }
    width = 0;
    return 0;
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
        std::size_t width = 0;
        const unsigned digit = typedDigitAt(digits, at, width);
        if (width == 0 || count == 9) {
            return std::nullopt;
        }
        at += width;
        value = value * 10 + digit;
    }
    return value;
}

// A number of degrees and their decimals as typed (130.4181, １３０．４２), blanks around it; the
// point ASCII or full-width (0x81 0x44). At most nine digits in all; no sign.
constexpr std::optional<double> readTypedDecimal(std::string_view text) {
    const std::string_view typed = trimSjisBlanks(text);
    double value = 0.0;
    double scale = 1.0;
    bool point = false;
    int whole = 0;
    int decimals = 0;
    for (std::size_t at = 0; at < typed.size();) {
        std::size_t width = 0;
        const unsigned digit = typedDigitAt(typed, at, width);
        if (width != 0) {
            if (whole + decimals == 9) {
                return std::nullopt;
            }
            if (point) {
                scale /= 10.0;
                value += digit * scale;
                ++decimals;
            } else {
                value = value * 10.0 + digit;
                ++whole;
            }
            at += width;
            continue;
        }
        const bool ascii = typed[at] == '.';
        const bool fullWidth = at + 1 < typed.size() &&
                               static_cast<unsigned char>(typed[at]) == 0x81 &&
                               static_cast<unsigned char>(typed[at + 1]) == 0x44;
        if (point || whole == 0 || (!ascii && !fullWidth)) {
            return std::nullopt;
        }
        point = true;
        at += ascii ? 1 : 2;
    }
    if (whole == 0 || (point && decimals == 0)) {
        return std::nullopt;
    }
    return value;
}

// A clock reading as typed: 10, 10:20, １０：２０, 10時20分 or 10時20, blanks of either width
// around each number. 10時 alone is no reading, as the hour box has always refused it. The
// numbers are not checked against a clock here.
struct TypedTime {
    unsigned hour = 0;
    std::optional<unsigned> minute;  // none when only the hour was typed
    friend constexpr bool operator==(const TypedTime&, const TypedTime&) = default;
};

constexpr std::optional<TypedTime> readTypedTime(std::string_view text) {
    constexpr unsigned char kFullColon[] = {0x81, 0x46};   // ：
    constexpr unsigned char kHourMark[] = {0x8E, 0x9E};    // 時
    constexpr unsigned char kMinuteMark[] = {0x95, 0xAA};  // 分
    const auto isPair = [](std::string_view t, std::size_t at, const unsigned char(&pair)[2]) {
        return at + 1 < t.size() && static_cast<unsigned char>(t[at]) == pair[0] &&
               static_cast<unsigned char>(t[at + 1]) == pair[1];
    };
    // The first separator, found character by character so that no trail byte passes for one.
    std::size_t at = 0;
    std::size_t width = 0;
    bool hourMark = false;
    while (at < text.size()) {
        if (text[at] == ':') {
            width = 1;
            break;
        }
        if (isPair(text, at, kFullColon) || isPair(text, at, kHourMark)) {
            hourMark = isPair(text, at, kHourMark);
            width = 2;
            break;
        }
        at +=
            isSjisLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2u : 1u;
    }
    const std::optional<unsigned> hour = readTypedNumber(text.substr(0, at));
    if (!hour) {
        return std::nullopt;
    }
    if (width == 0) {
        return TypedTime{*hour, std::nullopt};
    }
    std::string_view rest = trimSjisBlanks(text.substr(at + width));
    if (hourMark) {
        // 分 closes the minutes only as the last character.
        std::size_t last = 0;
        for (std::size_t c = 0; c < rest.size();) {
            last = c;
            c += isSjisLeadByte(static_cast<unsigned char>(rest[c])) && c + 1 < rest.size() ? 2u
                                                                                            : 1u;
        }
        if (isPair(rest, last, kMinuteMark) && last + 2 == rest.size()) {
            rest = rest.substr(0, last);
        }
    }
    const std::optional<unsigned> minute = readTypedNumber(rest);
    if (!minute) {
        return std::nullopt;
    }
    return TypedTime{*hour, *minute};
}

}  // namespace quorvel
