#pragma once
// Texts in fixed-size, NUL-terminated Shift-JIS fields: copying, appending and cutting without
// ever writing past the field or splitting a double-byte character.
#include <cstddef>
#include <cstring>
#include <string_view>

namespace quorvel {

// A lead byte of a Shift-JIS (CP932) double-byte character.
constexpr bool isSjisLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The longest prefix of `text` of at most `maxBytes` bytes that ends on a character boundary.
constexpr std::string_view cutSjis(std::string_view text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t width =
            isSjisLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
        if (end + width > maxBytes) {
            break;
        }
        end += width;
    }
    return text.substr(0, end);
}

// The text of a field, up to its terminator (or its end, should the terminator be missing).
template <std::size_t N>
std::string_view fieldText(const char (&field)[N]) {
    return {field, strnlen(field, N)};
}

// Appends as much of `text` as fits, whole characters only; returns false if anything was cut.
template <std::size_t N>
bool appendText(char (&field)[N], std::string_view text) {
    const std::size_t used = strnlen(field, N - 1);
    const std::string_view fitting = cutSjis(text, N - 1 - used);
    if (!fitting.empty()) {  // an empty view may hold no pointer at all
        std::memcpy(field + used, fitting.data(), fitting.size());
    }
    field[used + fitting.size()] = '\0';
    return fitting.size() == text.size();
}

// Replaces the field's text; the rest of the field is zeroed, as a cleared buffer would be.
template <std::size_t N>
bool copyText(char (&field)[N], std::string_view text) {
    std::memset(field, 0, N);
    return appendText(field, text);
}

}  // namespace quorvel
