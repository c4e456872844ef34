// A field read cut to n bytes (the first byte gives n): never longer than n, never half a
// double-byte character, and nothing left out that would have fit.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "common/fixed_text.h"

namespace {

// Where the next character after `at` begins; a lead byte at the very end stands alone.
std::size_t nextBoundary(std::string_view text, std::size_t at) {
    const bool pair =
        quorvel::isSjisLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size();
    return at + (pair ? 2 : 1);
}

template <std::size_t N>
void copyIntoField(std::string_view text) {
    char field[N];
    std::memset(field, 'x', N);
    const bool whole = quorvel::copyText(field, text);
    const std::string_view kept(field, strnlen(field, N));
    const std::string_view cut = quorvel::cutSjis(text, N - 1);
    // copyText stops at nothing, but the field's text ends at its first zero.
    if (kept.size() >= N || kept != cut.substr(0, cut.find('\0')) || whole != (cut == text)) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t n = data[0] % 40;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string_view cut = quorvel::cutSjis(text, n);
    if (cut.size() > n || cut != text.substr(0, cut.size())) {
        __builtin_trap();
    }
    std::size_t boundary = 0;
    while (boundary < cut.size()) {
        boundary = nextBoundary(text, boundary);
    }
    const bool onBoundary = boundary == cut.size();
    const bool nextFits = cut.size() < text.size() && nextBoundary(text, cut.size()) <= n;
    if (!onBoundary || nextFits) {
        __builtin_trap();
    }
    copyIntoField<5>(text);   // a year
    copyIntoField<7>(text);   // a typed pillar
    copyIntoField<32>(text);  // a name
    return 0;
}
