#include "calendar/sexagenary.h"

#include <cstring>

#include "calendar/sexagenary_texts.h"

namespace quorvel {

std::string_view stemText(Stem s) {
    return text::stemTexts[ordinal(s) - 1];
}
std::string_view branchText(Branch b) {
    return text::branchTexts[ordinal(b) - 1];
}
std::string_view pillarTextView(CycleIndex n) {
    return text::pillarTexts[n - 1];
}

void pillarText(CycleIndex n, char (&slot)[8]) {
    const std::string_view t = pillarTextView(n);
    std::memset(slot, 0, sizeof slot);
    std::memcpy(slot, t.data(), t.size());
}

std::optional<CycleIndex> findPillar(std::string_view text) {
    for (CycleIndex n = 1; n <= kCycleLength; ++n) {
        if (pillarTextView(n) == text) {
            return n;
        }
    }
    return std::nullopt;
}

std::optional<CycleIndex> findPillar(const char* text) {
    return text == nullptr ? std::nullopt : findPillar(std::string_view(text));
}

}  // namespace quorvel
