#include "calendar/special_stars.h"

namespace quorvel {

namespace {

using enum Branch;

// By stem ordinal (甲 first).
constexpr std::array<Branch, 2> kNobleman[10] = {
    {Ushi, Hitsuji}, {Ne, Saru},      {I, Tori},   {I, Tori}, {Ushi, Hitsuji},
    {Ne, Saru},      {Ushi, Hitsuji}, {Tora, Uma}, {U, Mi},   {U, Mi},
};
constexpr Branch kBlade[10] = {U, Tatsu, Uma, Hitsuji, Uma, Hitsuji, Tori, Inu, Ne, Ushi};

}  // namespace

std::array<Branch, 2> noblemanBranches(Stem dayStem) {
    return kNobleman[ordinal(dayStem) - 1];
}

Branch bladeBranch(Stem dayStem) {
    return kBlade[ordinal(dayStem) - 1];
}

Branch postHorseBranch(Branch dayBranch) {
    // A triad is the branches four apart: 子辰申, 丑巳酉, 寅午戌, 卯未亥.
    constexpr Branch kHorse[4] = {Tora, I, Saru, Mi};
    return kHorse[(ordinal(dayBranch) - 1) % 4];
}

bool isKaigou(CycleIndex dayPillar) {
    const Stem s = stemOf(dayPillar);
    const Branch b = branchOf(dayPillar);
    return (s == Stem::Kanoe && (b == Tatsu || b == Inu)) || (s == Stem::Mizunoe && b == Tatsu) ||
           (s == Stem::Tsuchinoe && b == Inu);
}

StarList pillarStars(CycleIndex dayPillar, Branch branch, bool isDayPillar) {
    StarList list;
    const Stem dayStem = stemOf(dayPillar);
    const std::array<Branch, 2> nobleman = noblemanBranches(dayStem);
    if (branch == nobleman[0] || branch == nobleman[1]) {
        list.stars[list.count++] = SpecialStar::Nobleman;
    }
    if (branch == bladeBranch(dayStem)) {
        list.stars[list.count++] = SpecialStar::Blade;
    }
    if (!isDayPillar && branch == postHorseBranch(branchOf(dayPillar))) {
        list.stars[list.count++] = SpecialStar::PostHorse;
    }
    if (isDayPillar && isKaigou(dayPillar)) {
        list.stars[list.count++] = SpecialStar::Kaigou;
    }
    return list;
}

}  // namespace quorvel
