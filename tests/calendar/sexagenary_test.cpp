#include "calendar/sexagenary.h"

#include <gtest/gtest.h>

#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

TEST(Sexagenary, EveryPillarTextFollowsItsStemAndBranch) {
    const std::string stems = "甲乙丙丁戊己庚辛壬癸";
    const std::string branches = "子丑寅卯辰巳午未申酉戌亥";
    for (CycleIndex n = 1; n <= 60; ++n) {
        // Each of these characters is three bytes in UTF-8.
        const std::string expected = stems.substr(3 * static_cast<std::size_t>((n - 1) % 10), 3) +
                                     branches.substr(3 * static_cast<std::size_t>((n - 1) % 12), 3);
        char slot[8];
        std::fill(std::begin(slot), std::end(slot), 'x');
        pillarText(n, slot);
        EXPECT_EQ(std::string(slot), sjis(expected)) << n;
        EXPECT_EQ(slot[4], '\0');
        EXPECT_EQ(findPillar(slot), n);
        EXPECT_EQ(std::string(stemText(stemOf(n))) + std::string(branchText(branchOf(n))), slot);
    }
}

TEST(Sexagenary, NamedPillars) {
    const struct {
        CycleIndex n;
        const char* text;
    } cases[] = {{1, "甲子"}, {60, "癸亥"}, {40, "癸卯"}, {38, "辛丑"}, {17, "庚辰"}};
    for (const auto& c : cases) {
        EXPECT_EQ(pillarTextView(c.n), sjis(c.text)) << c.n;
    }
}

TEST(Sexagenary, FindPillarAcceptsOnlyTheExactFourBytes) {
    EXPECT_EQ(findPillar(sjis("甲子").c_str()), 1);
    EXPECT_EQ(findPillar(sjis("癸亥").c_str()), 60);
    const std::string refused[] = {
        sjis("甲子 "),  "",   sjis("甲丑"), sjis("甲"), sjis("　甲子"),
        sjis("甲子子"), "AB", sjis("ｺｳｼ"),
    };
    for (const std::string& text : refused) {
        EXPECT_FALSE(findPillar(text.c_str()).has_value()) << text;
    }
    EXPECT_FALSE(findPillar(static_cast<const char*>(nullptr)).has_value());
}

TEST(Sexagenary, NumbersPolarityAndElements) {
    EXPECT_EQ(stemNumber(10), 0);
    EXPECT_EQ(branchNumber(12), 0);
    EXPECT_EQ(stemNumber(11), 1);
    EXPECT_EQ(branchNumber(11), 11);
    EXPECT_TRUE(isYangStem(1));
    EXPECT_TRUE(isYangStem(9));
    EXPECT_FALSE(isYangStem(0));
    EXPECT_EQ(stemOfNumber(0), Stem::Mizunoto);
    EXPECT_EQ(branchOfNumber(0), Branch::I);
    EXPECT_EQ(elementOf(Stem::Kinoto), Element::Wood);
    EXPECT_EQ(elementOf(Stem::Tsuchinoe), Element::Earth);
    EXPECT_EQ(elementOf(Stem::Mizunoto), Element::Water);
    for (CycleIndex n = 1; n <= 60; ++n) {
        // A pillar pairs stem and branch ordinals of the same parity.
        EXPECT_EQ(ordinal(stemOf(n)) % 2, ordinal(branchOf(n)) % 2);
        EXPECT_EQ(stemOfNumber(stemNumber(n)), stemOf(n));
        EXPECT_EQ(branchOfNumber(branchNumber(n)), branchOf(n));
        EXPECT_EQ(isYangStem(stemNumber(n)), isYang(stemOf(n)));
    }
}

TEST(Sexagenary, StepPillarWraps) {
    const struct {
        CycleIndex n;
        int k;
        CycleIndex expected;
    } cases[] = {{60, 1, 1}, {1, -1, 60}, {55, 10, 5}, {3, -10, 53}, {1, 60, 1}, {30, -60, 30}};
    for (const auto& c : cases) {
        EXPECT_EQ(stepPillar(c.n, c.k), c.expected) << c.n << " " << c.k;
    }
}

}  // namespace
}  // namespace quorvel
