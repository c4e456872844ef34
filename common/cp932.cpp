#include "common/cp932.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "common/cp932_tables.h"
#include "common/gaiji.h"

namespace quorvel::cp932 {

namespace {

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// How many bytes a malformed or unmappable sequence starting here spans, as iconv's caller skips
// them: the length its lead byte announces, at most what is left.
std::size_t sequenceLength(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s[0]);
    const std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return std::max<std::size_t>(1, std::min(n, s.size()));
}

// The code point of a well-formed sequence of `length` bytes; kInvalid otherwise.
constexpr std::uint32_t kInvalid = 0xFFFFFFFF;

std::uint32_t decodeSequence(std::string_view s, std::size_t length) {
    const auto lead = static_cast<unsigned char>(s[0]);
    if (lead < 0x80) {
        return lead;
    }
    const std::size_t wanted = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (wanted == 0 || lead > 0xF4 || length < wanted) {
        return kInvalid;
    }
    std::uint32_t cp = lead & (0x7F >> wanted);
    for (std::size_t i = 1; i < wanted; ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if ((c & 0xC0) != 0x80) {
            return kInvalid;
        }
        cp = cp << 6 | (c & 0x3F);
    }
    constexpr std::uint32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kShortest[wanted] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return kInvalid;
    }
    return cp;
}

}  // namespace

std::string toUtf8(std::string_view sjis) {
    std::string out;
    out.reserve(sjis.size() * 3 / 2 + 8);
    for (std::size_t i = 0; i < sjis.size();) {
        const auto byte = static_cast<unsigned char>(sjis[i]);
        std::uint32_t cp = kSingle[byte];
        std::size_t width = 1;
        if (cp == kLead) {
            cp = kNone;
            if (i + 1 < sjis.size()) {
                const auto trail = static_cast<unsigned char>(sjis[i + 1]);
                cp = kPairs[kLeadRow[byte] * 256u + trail];
                width = cp == kNone ? 1 : 2;
            }
        }
        appendUtf8(out, cp == kNone ? 0xFFFD : gaiji::characterOf(cp));
        i += width;
    }
    return out;
}

std::string fromUtf8(std::string_view utf8, bool& ok) {
    ok = true;
    std::string out;
    out.reserve(utf8.size() + 8);
    for (std::size_t i = 0; i < utf8.size();) {
        const std::string_view rest = utf8.substr(i);
        const std::size_t length = sequenceLength(rest);
        const std::uint32_t decoded = decodeSequence(rest, length);
        const std::uint32_t cp = decoded == kInvalid ? kInvalid : gaiji::privateUseOf(decoded);
        const auto* found = std::lower_bound(
            std::begin(kEncoded), std::end(kEncoded), cp,
            [](const Encoded& entry, std::uint32_t value) { return entry.codePoint < value; });
        if (cp == kInvalid || found == std::end(kEncoded) || found->codePoint != cp) {
            ok = false;
            out += '?';
        } else if (found->bytes < 0x100) {
            out += static_cast<char>(found->bytes);
        } else {
            out += static_cast<char>(found->bytes >> 8);
            out += static_cast<char>(found->bytes & 0xFF);
        }
        i += length;
    }
    return out;
}

}  // namespace quorvel::cp932
