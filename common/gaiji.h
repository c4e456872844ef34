#pragma once
// The program's own characters (外字): the few characters of the art that CP932 cannot spell, kept
// in its user-defined area as Windows keeps a user's characters. CP932 reads that area as the
// private-use code points from U+E000; wherever text becomes Unicode each turns into its real
// character, and back. Header only: the text generator uses it too.
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel::gaiji {

struct Gaiji {
    std::uint32_t privateUse;  // what CP932 reads the user-defined code as
    std::uint32_t character;
};

// F040: 罡 (U+7F61), of the special star 魁罡.
inline constexpr Gaiji kGaiji[] = {{0xE000, 0x7F61}};

// One code point at a time, for converters that work by code points.
constexpr std::uint32_t characterOf(std::uint32_t cp) {
    for (const Gaiji& g : kGaiji) {
        if (g.privateUse == cp) {
            return g.character;
        }
    }
    return cp;
}
constexpr std::uint32_t privateUseOf(std::uint32_t cp) {
    for (const Gaiji& g : kGaiji) {
        if (g.character == cp) {
            return g.privateUse;
        }
    }
    return cp;
}

// Both sides are three-byte UTF-8 sequences (U+0800-U+FFFF).
inline std::string utf8Of(std::uint32_t cp) {
    return {static_cast<char>(0xE0 | cp >> 12), static_cast<char>(0x80 | (cp >> 6 & 0x3F)),
            static_cast<char>(0x80 | (cp & 0x3F))};
}

// A lead byte never matches inside another character, so plain search is safe in UTF-8.
inline void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// After CP932 → UTF-8: each private-use code point of the table becomes its character.
inline std::string toCharacters(std::string utf8) {
    for (const Gaiji& g : kGaiji) {
        replaceAll(utf8, utf8Of(g.privateUse), utf8Of(g.character));
    }
    return utf8;
}

// Before UTF-8 → CP932: each character of the table becomes its private-use code point.
inline std::string toPrivateUse(std::string utf8) {
    for (const Gaiji& g : kGaiji) {
        replaceAll(utf8, utf8Of(g.character), utf8Of(g.privateUse));
    }
    return utf8;
}

}  // namespace quorvel::gaiji
