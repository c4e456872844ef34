#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/fixed_text.h"
#include "judgement/judgement.h"
#include "judgement/relations.h"
#include "judgement/text_tables.h"
#include "tests/support/allocation_counter.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

// The 人運 selection, rows base branch 子…亥, columns running branch: A six-combination,
// B three-harmony, 2 its mark-first form, C clash, . nothing.
const char* const kHumanTable[12] = {
    ".A..B.C.B...", "A....B.C.B..", "......B.C.2A", ".......B.CA2", "B.......BAC.", ".B......AB.C",
    "C.B....A..B.", ".C.B..A....B", "B.C.BA......", ".B.CAB......", "..BAC.B.....", "..AB.C.B....",
};

class ComposeJudgement : public ::testing::Test {
  protected:
    std::string judge(const char* base, const char* running, int luckFlag, int calendarFlag) {
        EXPECT_EQ(parseJudgementKey(key, sjis(base), sjis(running)), PillarCheck::Ok);
        composeJudgement(buffer, key, {luckFlag, calendarFlag});
        return buffer;
    }

    JudgementKey key;
    char buffer[kJudgementBufferSize] = {};
};

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}
bool endsWith(const std::string& text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

TEST_F(ComposeJudgement, TellingJudgements) {
    const struct {
        const char *base, *running;
        int luckFlag, calendarFlag;
        const char *heaven, *earth;
        std::string_view human;  // empty: none
    } cases[] = {
        {"甲子", "甲子", 0, 1, "(天運)実行", "(地運)△沐浴", {}},
        {"甲子", "乙丑", 0, 1, "(天運)闘争", "(地運)〇冠帯", sixCombinationSentence()},
        {"甲子", "甲午", 1, 0, "(天運)実行", "(地運)●死", luckClashSentence()},
        {"甲子", "甲午", 0, 1, "(天運)実行", "(地運)●死", calendarClashSentence()},
        {"丙寅", "戊戌", 0, 1, "(天運)表現", "(地運)▲墓", threeHarmonySentenceMarkFirst()},
        {"戊戌", "丙寅", 0, 1, "(天運)探究", "(地運)〇長生", threeHarmonySentence()},
        {"丁卯", "乙亥", 0, 1, "(天運)探究", "(地運)△胎", threeHarmonySentenceMarkFirst()},
        {"庚申", "甲子", 0, 1, "(天運)投資", "(地運)●死", threeHarmonySentence()},
        {"庚申", "甲辰", 0, 1, "(天運)投資", "(地運)△養", threeHarmonySentence()},
        {"庚申", "乙卯", 0, 1, "(天運)蓄財", "(地運)△胎", {}},
        {"庚申", "乙亥", 0, 1, "(天運)蓄財", "(地運)▲病", {}},
        {"甲子", "甲午", -1, -1, "(天運)実行", "(地運)●死", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.base) + c.running);
        const std::string text = judge(c.base, c.running, c.luckFlag, c.calendarFlag);
        const std::string heaven(heavenText(stemOf(*findPillar(sjis(c.base).c_str())),
                                            stemOf(*findPillar(sjis(c.running).c_str()))));
        EXPECT_TRUE(startsWith(heaven, sjis(c.heaven)));
        ASSERT_TRUE(startsWith(text, heaven));
        EXPECT_TRUE(startsWith(text.substr(heaven.size()), sjis(c.earth)));
        if (c.human.empty()) {
            EXPECT_TRUE(endsWith(text, kTextSeparator));
        } else {
            EXPECT_TRUE(endsWith(text, c.human));
        }
    }
    // 甲午 from the chart panel carries the ★ line of 死.
    EXPECT_NE(judge("甲子", "甲午", 1, 0).find(sjis("★急な病気の発生")), std::string::npos);
}

TEST_F(ComposeJudgement, BothClashSentencesWhenBothFlagsHoldOne) {
    const std::string text = judge("甲子", "甲午", 1, 1);
    EXPECT_TRUE(
        endsWith(text, std::string(luckClashSentence()) + std::string(calendarClashSentence())));
    // Only exactly 1 counts as set.
    EXPECT_TRUE(endsWith(judge("甲子", "甲午", 2, 0), kTextSeparator));
}

TEST_F(ComposeJudgement, EveryPairUnderEveryFlagIsItsThreePartsInOrder) {
    const int flags[][2] = {{-1, -1}, {1, 0}, {0, 1}, {1, 1}};
    for (CycleIndex base = 1; base <= 60; ++base) {
        for (CycleIndex running = 1; running <= 60; ++running) {
            for (const auto& f : flags) {
                ASSERT_EQ(parseJudgementKey(key, pillarTextView(base), pillarTextView(running)),
                          PillarCheck::Ok);
                composeJudgement(buffer, key, {f[0], f[1]});

                const int b = ordinal(branchOf(base)) - 1;
                const int r = ordinal(branchOf(running)) - 1;
                std::string human;
                switch (kHumanTable[b][r]) {
                    case 'A':
                        human = sixCombinationSentence();
                        break;
                    case 'B':
                        human = threeHarmonySentence();
                        break;
                    case '2':
                        human = threeHarmonySentenceMarkFirst();
                        break;
                    case 'C':
                        human = std::string(f[0] == 1 ? luckClashSentence() : "") +
                                std::string(f[1] == 1 ? calendarClashSentence() : "");
                        break;
                    default:
                        break;
                }
                const std::string expected =
                    std::string(heavenText(stemOf(base), stemOf(running))) +
                    std::string(earthText(stemOf(base), branchOf(running))) + human;
                ASSERT_EQ(std::string(buffer), expected) << base << "," << running;
                ASSERT_LT(expected.size(), kJudgementBufferSize);
            }
        }
    }
}

TEST_F(ComposeJudgement, ClearsFirstAndSkipsNumbersOutOfRange) {
    judge("甲子", "乙丑", 0, 1);
    const std::string second = judge("丙寅", "丙寅", 0, 1);
    EXPECT_EQ(second, std::string(heavenText(Stem::Hinoe, Stem::Hinoe)) +
                          std::string(earthText(Stem::Hinoe, Branch::Tora)));
    EXPECT_EQ(std::count(std::begin(buffer), std::end(buffer), '\0'),
              static_cast<long>(kJudgementBufferSize - second.size()));

    composeJudgement(buffer, {12, 1, 2, 13}, {0, 1});
    EXPECT_EQ(buffer[0], '\0');
    composeJudgement(buffer, {1, -1, 2, 2}, {0, 1});  // 天運 and 地運 only
    EXPECT_EQ(std::string(buffer), std::string(heavenText(Stem::Kinoe, Stem::Kinoto)) +
                                       std::string(earthText(Stem::Kinoe, Branch::Ushi)));
}

TEST_F(ComposeJudgement, ParsingAndComposingAllocateNothing) {
    const std::size_t before = test::allocationCount();
    for (int i = 0; i < 100; ++i) {
        parseJudgementKey(key, pillarTextView(1), pillarTextView(31));
        composeJudgement(buffer, key, {1, 0});
    }
    EXPECT_EQ(test::allocationCount(), before);
}

}  // namespace
}  // namespace quorvel
