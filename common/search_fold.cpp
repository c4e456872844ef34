#include "common/search_fold.h"

#include <cstdint>

namespace quorvel {

namespace {

// Full-width forms of half-width katakana U+FF61-U+FF9F, in order.
constexpr char16_t kFullWidthKana[] = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ',
    u'ョ', u'ッ', u'ー', u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ',
    u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ',
    u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ',
    u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜'};
static_assert(std::size(kFullWidthKana) == 0xFF9F - 0xFF61 + 1);

constexpr char32_t kHalfVoiced = 0xFF9E;
constexpr char32_t kHalfSemiVoiced = 0xFF9F;

// Decodes one well-formed UTF-8 character at `at`; returns its length, or 0 if malformed.
std::size_t decode(std::string_view s, std::size_t at, char32_t& out) {
    const auto b0 = static_cast<unsigned char>(s[at]);
    std::size_t length = 0;
    if (b0 < 0x80) {
        out = b0;
        return 1;
    }
    if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        out = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        out = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        out = b0 & 0x07;
    } else {
        return 0;
    }
    if (at + length > s.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(s[at + i]);
        if ((b & 0xC0) != 0x80) {
            return 0;
        }
        out = (out << 6) | (b & 0x3F);
    }
    return length;
}

void encode(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The kana a sound mark turns `kana` into, or 0 where it does not combine.
char32_t withSoundMark(char32_t kana, char32_t mark) {
    const bool voicedRow = (kana >= u'カ' && kana <= u'チ' && (kana - u'カ') % 2 == 0) ||
                           kana == u'ツ' || kana == u'テ' || kana == u'ト';
    const bool hRow = kana >= u'ハ' && kana <= u'ホ' && (kana - u'ハ') % 3 == 0;
    if (mark == kHalfVoiced) {
        if (kana == u'ウ') {
            return u'ヴ';
        }
        return voicedRow || hRow ? kana + 1 : 0;
    }
    return hRow ? kana + 2 : 0;
}

char32_t foldOne(char32_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) {
        c = c - 0xFF01 + 0x21;
    } else if (c == 0x3000) {
        c = u' ';
    } else if (c >= 0xFF61 && c <= 0xFF9F) {
        c = kFullWidthKana[c - 0xFF61];
    }
    if (c >= u'A' && c <= u'Z') {
        c = c - u'A' + u'a';
    }
    return c;
}

}  // namespace

std::string foldForSearch(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t c = 0;
        const std::size_t length = decode(utf8, at, c);
        if (length == 0) {
            out += utf8[at++];
            continue;
        }
        at += length;
        const bool halfKana = c >= 0xFF66 && c <= 0xFF9D;
        c = foldOne(c);
        char32_t mark = 0;
        if (halfKana && at < utf8.size() && decode(utf8, at, mark) == 3 &&
            (mark == kHalfVoiced || mark == kHalfSemiVoiced)) {
            if (const char32_t joined = withSoundMark(c, mark)) {
                c = joined;
                at += 3;
            }
        }
        encode(c, out);
    }
    return out;
}

bool containsFolded(std::string_view text, std::string_view word) {
    return word.empty() || foldForSearch(text).find(foldForSearch(word)) != std::string::npos;
}

}  // namespace quorvel
