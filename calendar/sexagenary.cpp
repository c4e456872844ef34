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
    // No pillar (an unknown hour's) has no text.
    return isCycleIndex(n) ? text::pillarTexts[n - 1] : std::string_view();
}

namespace {

struct PillarSlots {
    char slots[kCycleLength][8];
};

// The sixty texts already laid out as 8-byte slots, so filling a chart copies whole slots.
constexpr PillarSlots makePillarSlots() {
    PillarSlots table{};
    for (int n = 0; n < kCycleLength; ++n) {
        const std::string_view t = text::pillarTexts[n];
        for (std::size_t i = 0; i < t.size() && i < 7; ++i) {
            table.slots[n][i] = t[i];
        }
    }
    return table;
}

constexpr PillarSlots kPillarSlots = makePillarSlots();

}  // namespace

void pillarText(CycleIndex n, char (&slot)[8]) {
    std::memcpy(slot, kPillarSlots.slots[n - 1], sizeof slot);
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
