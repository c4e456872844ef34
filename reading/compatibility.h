#pragma once
// 相性: what two persons' charts say of each other, and the years ahead for both. A and B are
// only the order the two were named in; every finding is told for both directions where it has
// two. Pure values, built by value from two full charts (any rules; an unknown hour simply has no
// hour pillar, so its branch takes part in nothing).
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "judgement/judgement_marks.h"
#include "reading/branch_bonds.h"
#include "reading/fortune_calendar.h"
#include "reading/full_chart.h"

namespace quorvel {

// One branch of A against one of B, with every bond between them (never none).
struct BranchFinding {
    int a = kDayPosition;  // PillarPosition of A's branch
    int b = kDayPosition;  // and of B's
    Branch aBranch = Branch::Ne;
    Branch bBranch = Branch::Ne;
    BondSet bonds;
};

// Whom a year threatens: ● or ★★ among the year's marks, the 年運一覧's own test.
enum class Threat : std::uint8_t { Neither, A, B, Both };

struct CompatibilityYear {
    std::int32_t year = 0;
    CycleIndex pillar = 0;
    // A year outside a person's calendar (before the birth, or beyond its 120 years) is not
    // judged for that person: no marks, no threat.
    std::optional<CalendarRow> a;
    std::optional<CalendarRow> b;
    Threat threat = Threat::Neither;
};

struct Compatibility {
    // The day stems: what A's stem is to B (B the base, as a chart names its stems) and what B's
    // is to A; 干合 where they combine.
    StemRelation aToB = StemRelation::Action;
    StemRelation bToA = StemRelation::Action;
    bool stemsCombine = false;
    // Every pair of A's and B's branches that stand in a bond, the day branches first, then A's
    // year, month, day, hour against B's in the same order.
    std::vector<BranchFinding> branches;
    // Whole 三合 the two hold together, each holding at least one of its branches.
    std::vector<Trio> trios;
    bool heavenWarEarthClash = false;  // between the two day pillars
    // One's day (year) branch among the two void branches of the other's day pillar.
    bool aDayInBVoid = false;
    bool bDayInAVoid = false;
    bool aYearInBVoid = false;
    bool bYearInAVoid = false;
    // The eight characters of each (six without an hour), and the elements one lacks that the
    // other has, in the order wood, fire, earth, metal, water.
    ElementCounts aElements{};
    ElementCounts bElements{};
    std::array<bool, 5> aLacks{};
    std::array<bool, 5> bLacks{};
    std::vector<CompatibilityYear> years;
};

// The findings of two charts and their years firstYear .. firstYear + yearCount - 1 (none for a
// count below 1).
Compatibility readCompatibility(const FullChart& a, const FullChart& b, int firstYear,
                                int yearCount);

// The years ahead by default: this year and the next 10.
inline constexpr int kDefaultCompatibilityYears = 11;

}  // namespace quorvel
