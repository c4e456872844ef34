#include <gtest/gtest.h>

#include "judgement/judgement.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

void expectKey(const JudgementKey& key, const JudgementKey& expected) {
    EXPECT_EQ(key.baseStemNo, expected.baseStemNo);
    EXPECT_EQ(key.baseBranchNo, expected.baseBranchNo);
    EXPECT_EQ(key.runStemNo, expected.runStemNo);
    EXPECT_EQ(key.runBranchNo, expected.runBranchNo);
}

TEST(ParseJudgementKey, NumbersOfGoodPillars) {
    const struct {
        const char *base, *running;
        JudgementKey key;
    } cases[] = {
        {"甲子", "乙丑", {1, 1, 2, 2}},
        {"癸亥", "癸酉", {0, 0, 0, 10}},
        {"甲戌", "庚申", {1, 11, 7, 9}},
    };
    for (const auto& c : cases) {
        JudgementKey key;
        ASSERT_EQ(parseJudgementKey(key, sjis(c.base), sjis(c.running)), PillarCheck::Ok)
            << c.base << c.running;
        expectKey(key, c.key);
    }
}

TEST(ParseJudgementKey, BadTextsAreRefusedForTheirSide) {
    const struct {
        std::string base, running;
        PillarCheck check;
        JudgementKey key;  // after the parse, starting from {3, 3, 4, 4}
    } cases[] = {
        {sjis("甲子 "), sjis("乙丑"), PillarCheck::BadBase, {3, 3, 4, 4}},
        {"", sjis("乙丑"), PillarCheck::BadBase, {3, 3, 4, 4}},
        {sjis("甲丑"),
         "",
         PillarCheck::BadBase,
         {3, 3, 4, 4}},  // the running text is not looked at
        {sjis("甲子"), sjis("乙丑 "), PillarCheck::BadRunning, {1, 1, 4, 4}},
        {sjis("甲子"), "", PillarCheck::BadRunning, {1, 1, 4, 4}},
        {sjis("癸亥"), sjis("甲"), PillarCheck::BadRunning, {0, 0, 4, 4}},
    };
    for (const auto& c : cases) {
        JudgementKey key{3, 3, 4, 4};
        EXPECT_EQ(parseJudgementKey(key, c.base, c.running), c.check);
        expectKey(key, c.key);
    }
    EXPECT_EQ(pillarCheckMessage(PillarCheck::BadBase),
              sjis("生日干支が間違っています。\n六十干支をもう一度確認して下さい。\n"));
    EXPECT_EQ(pillarCheckMessage(PillarCheck::BadRunning),
              sjis("行運干支が間違っています。\n六十干支をもう一度確認して下さい。\n"));
    EXPECT_TRUE(pillarCheckMessage(PillarCheck::Ok).empty());
}

}  // namespace
}  // namespace quorvel
