#include "reading/compatibility.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/yearly_review.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

Branch branch(int ordinal) {
    return static_cast<Branch>(ordinal);
}

FullChart chartOf(const BirthData& birth) {
    const auto full = readFullChart(birth);
    EXPECT_TRUE(full.has_value());
    return full.value_or(FullChart{});
}

// The first day from 2000 on whose day pillar is `day`, born at noon.
FullChart chartWithDay(CycleIndex day, Sex sex) {
    for (int d = 1; d <= 60; ++d) {
        const int month = d <= 31 ? 1 : 2;
        const FullChart chart = chartOf({2000, month, month == 1 ? d : d - 31, 12, sex});
        if (chart.chart.dayPillar.index == day) {
            return chart;
        }
    }
    ADD_FAILURE() << "no day " << day;
    return {};
}

std::string bondNames(BondSet bonds) {
    std::string out;
    for (int k = 0; k < kBranchBondCount; ++k) {
        if (bonds.has(static_cast<BranchBond>(k))) {
            out += branchBondName(static_cast<BranchBond>(k));
        }
    }
    return out;
}

TEST(Compatibility, EveryRelationIsTheSameFromEitherSide) {
    for (int x = 1; x <= 12; ++x) {
        for (int y = 1; y <= 12; ++y) {
            EXPECT_EQ(branchBonds(branch(x), branch(y)), branchBonds(branch(y), branch(x)))
                << x << " " << y;
        }
    }
    for (int x = 1; x <= 10; ++x) {
        for (int y = 1; y <= 10; ++y) {
            EXPECT_EQ(stemsCombine(static_cast<Stem>(x), static_cast<Stem>(y)),
                      stemsCombine(static_cast<Stem>(y), static_cast<Stem>(x)));
        }
    }
    for (CycleIndex x = 1; x <= kCycleLength; ++x) {
        for (CycleIndex y = 1; y <= kCycleLength; ++y) {
            EXPECT_EQ(heavenWarEarthClash(x, y), heavenWarEarthClash(y, x)) << x << " " << y;
        }
    }
}

// 支合, 冲 and 害 give every branch exactly one partner, never itself; 干合 every stem one of the
// other polarity that it controls or is controlled by.
TEST(Compatibility, PairingBondsPairEveryBranchAndStemExactlyOnce) {
    for (const BranchBond bond : {BranchBond::Combination, BranchBond::Clash, BranchBond::Harm}) {
        for (int x = 1; x <= 12; ++x) {
            int partners = 0;
            for (int y = 1; y <= 12; ++y) {
                if (branchBonds(branch(x), branch(y)).has(bond)) {
                    ++partners;
                    EXPECT_NE(x, y);
                }
            }
            EXPECT_EQ(partners, 1) << static_cast<int>(bond) << " " << x;
        }
    }
    for (int x = 1; x <= 10; ++x) {
        int partners = 0;
        for (int y = 1; y <= 10; ++y) {
            const Stem a = static_cast<Stem>(x);
            const Stem b = static_cast<Stem>(y);
            if (stemsCombine(a, b)) {
                ++partners;
                const StemRelation r = stemRelation(a, b);
                EXPECT_TRUE(r == StemRelation::Saving || r == StemRelation::Endurance) << x;
            }
        }
        EXPECT_EQ(partners, 1) << x;
    }
}

// Counted over unordered pairs: 8 half harmonies, each with its trio's middle branch; 11
// punishments, four of them a branch with itself; a clash never at peace with its partner.
TEST(Compatibility, HalfHarmoniesAndPunishmentsAreThoseJapanesePracticeCounts) {
    const std::string middles = sjis("子午卯酉");
    int halves = 0;
    int punishments = 0;
    int selfPunishments = 0;
    for (int x = 1; x <= 12; ++x) {
        for (int y = x; y <= 12; ++y) {
            const BondSet bonds = branchBonds(branch(x), branch(y));
            if (bonds.has(BranchBond::HalfHarmony)) {
                ++halves;
                const bool hasMiddle = middles.find(branchText(branch(x))) != std::string::npos ||
                                       middles.find(branchText(branch(y))) != std::string::npos;
                EXPECT_TRUE(hasMiddle) << x << " " << y;
                EXPECT_EQ((x - y) % 4, 0) << "one trio: " << x << " " << y;
            }
            if (bonds.has(BranchBond::Punishment)) {
                ++punishments;
                selfPunishments += x == y ? 1 : 0;
            }
            if (bonds.has(BranchBond::Clash)) {
                EXPECT_FALSE(bonds.has(BranchBond::Combination) ||
                             bonds.has(BranchBond::HalfHarmony));
            }
        }
    }
    EXPECT_EQ(halves, 8);
    EXPECT_EQ(punishments, 11);
    EXPECT_EQ(selfPunishments, 4);
    // Where the tables overlap: 寅申 clash and punish, 寅巳 punish and harm, 巳申 combine and
    // punish.
    EXPECT_EQ(bondNames(branchBonds(Branch::Tora, Branch::Saru)), sjis("冲刑"));
    EXPECT_EQ(bondNames(branchBonds(Branch::Mi, Branch::Tora)), sjis("刑害"));
    EXPECT_EQ(bondNames(branchBonds(Branch::Saru, Branch::Mi)), sjis("支合刑"));
    EXPECT_EQ(bondNames(branchBonds(Branch::Ne, Branch::Tori)), "");
}

// 1990-05-20 10時 男 (庚午 辛巳 乙酉 辛巳) with 1992-03-01 8時 女 (壬申 壬寅 丙子 壬辰), worked out
// by hand.
TEST(Compatibility, AHandCheckedPair) {
    const FullChart a = chartOf({1990, 5, 20, 10, Sex::Male});
    const FullChart b = chartOf({1992, 3, 1, 8, Sex::Female});
    const Compatibility c = readCompatibility(a, b, 2025, 3);

    EXPECT_EQ(commonRelationName(c.aToB), sjis("印綬"));  // 乙 seen from 丙
    EXPECT_EQ(commonRelationName(c.bToA), sjis("傷官"));  // 丙 seen from 乙
    EXPECT_FALSE(c.stemsCombine);
    EXPECT_FALSE(c.heavenWarEarthClash);

    struct Expected {
        int a, b;
        const char* bonds;
    };
    const Expected expected[] = {
        {kYearPosition, kMonthPosition, "半会"},   {kYearPosition, kDayPosition, "冲"},
        {kMonthPosition, kYearPosition, "支合刑"}, {kMonthPosition, kMonthPosition, "刑害"},
        {kDayPosition, kHourPosition, "支合"},     {kHourPosition, kYearPosition, "支合刑"},
        {kHourPosition, kMonthPosition, "刑害"},
    };
    ASSERT_EQ(c.branches.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(c.branches[i].a, expected[i].a) << i;
        EXPECT_EQ(c.branches[i].b, expected[i].b) << i;
        EXPECT_EQ(bondNames(c.branches[i].bonds), sjis(expected[i].bonds)) << i;
    }
    // B alone holds 申子辰: not a bond between the two.
    EXPECT_TRUE(c.trios.empty());
    // A's void 午未, B's 申酉.
    EXPECT_TRUE(c.aDayInBVoid);
    EXPECT_FALSE(c.bDayInAVoid);
    EXPECT_FALSE(c.aYearInBVoid);
    EXPECT_FALSE(c.bYearInAVoid);
    // 木1 火3 土0 金4 水0 against 木1 火1 土1 金1 水4.
    EXPECT_EQ(c.aLacks, (std::array<bool, 5>{false, false, true, false, true}));
    EXPECT_EQ(c.bLacks, (std::array<bool, 5>{}));
}

TEST(Compatibility, DayPillarsAtWarCombiningAndInEachOthersVoid) {
    struct Case {
        const char* a;
        const char* b;
        bool war, combine, aInBVoid, bInAVoid;
        const char* dayBonds;
    };
    const Case cases[] = {
        {"甲子", "庚午", true, false, false, false, "冲"},  // 庚 controls 甲
        {"甲子", "戊午", true, false, true, false, "冲"},  // 甲 controls 戊; 戊午's void 子丑
        {"甲子", "丙午", false, false, false, false, "冲"},  // 甲 feeds 丙
        {"甲子", "甲午", false, false, false, false, "冲"},
        {"甲子", "己丑", false, true, false, false, "支合"},
        {"甲子", "乙亥", false, false, false, true, ""},      // 甲子's void is 戌亥
        {"甲戌", "甲申", false, false, false, true, ""},      // 甲申's is 午未, 甲戌's 申酉
        {"丁卯", "辛酉", true, false, false, false, "冲"},    // 丁 controls 辛
        {"丙寅", "壬申", true, false, false, false, "冲刑"},  // 壬 controls 丙
    };
    for (const Case& k : cases) {
        const CycleIndex x = findPillar(sjis(k.a)).value_or(0);
        const CycleIndex y = findPillar(sjis(k.b)).value_or(0);
        const Compatibility c =
            readCompatibility(chartWithDay(x, Sex::Male), chartWithDay(y, Sex::Female), 2025, 0);
        EXPECT_EQ(c.heavenWarEarthClash, k.war) << k.a << k.b;
        EXPECT_EQ(c.stemsCombine, k.combine) << k.a << k.b;
        EXPECT_EQ(c.aDayInBVoid, k.aInBVoid) << k.a << k.b;
        EXPECT_EQ(c.bDayInAVoid, k.bInAVoid) << k.a << k.b;
        const std::string dayBonds = !c.branches.empty() && c.branches[0].a == kDayPosition &&
                                             c.branches[0].b == kDayPosition
                                         ? bondNames(c.branches[0].bonds)
                                         : std::string();
        EXPECT_EQ(dayBonds, sjis(k.dayBonds)) << k.a << k.b;
    }
}

TEST(Compatibility, AnUnknownHourHasNoBranchToBond) {
    const FullChart a = chartOf({1990, 5, 20, kHourUnknown, Sex::Male});
    const FullChart b = chartOf({1992, 3, 1, 8, Sex::Female});
    const Compatibility c = readCompatibility(a, b, 2025, 1);
    for (const BranchFinding& f : c.branches) {
        EXPECT_NE(f.a, kHourPosition);
    }
    // Without 巳 at the hour, six characters: 火 two.
    EXPECT_EQ(c.aElements[1], 2);
}

// A year threatens a person exactly when the 年運一覧 warns that person of it; a year outside a
// life threatens nobody.
TEST(Compatibility, YearsThreatenWhomTheYearlyReviewWarns) {
    const BirthData births[] = {{1990, 5, 20, 10, Sex::Male}, {1992, 3, 1, 8, Sex::Female}};
    const Compatibility c = readCompatibility(chartOf(births[0]), chartOf(births[1]), 2020, 30);
    int kinds[4] = {};
    for (const CompatibilityYear& y : c.years) {
        bool warned[2] = {};
        for (const ReviewRow& r : yearlyReview(births, y.year)) {
            warned[r.person] = r.warned;
        }
        const Threat expected = warned[0] && warned[1] ? Threat::Both
                                : warned[0]            ? Threat::A
                                : warned[1]            ? Threat::B
                                                       : Threat::Neither;
        EXPECT_EQ(y.threat, expected) << y.year;
        EXPECT_EQ(y.pillar, yearPillarOf(y.year));
        ++kinds[static_cast<int>(y.threat)];
    }
    // Thirty years show every case.
    for (const int n : kinds) {
        EXPECT_GT(n, 0);
    }

    const Compatibility unborn =
        readCompatibility(chartOf(births[0]), chartOf({2030, 1, 1, 0, Sex::Female}), 2028, 3);
    EXPECT_FALSE(unborn.years[0].b.has_value());
    EXPECT_TRUE(unborn.years[2].b.has_value());
    EXPECT_NE(unborn.years[0].threat, Threat::B);
    EXPECT_NE(unborn.years[0].threat, Threat::Both);
}

}  // namespace
}  // namespace quorvel
