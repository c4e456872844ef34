#include "judgement/relations.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

constexpr Stem kStems[10] = {Stem::Kinoe,     Stem::Kinoto,     Stem::Hinoe, Stem::Hinoto,
                             Stem::Tsuchinoe, Stem::Tsuchinoto, Stem::Kanoe, Stem::Kanoto,
                             Stem::Mizunoe,   Stem::Mizunoto};

// The ten relations, rows base stem 甲…癸, columns running stem 甲…癸.
const char* const kStemRelationTable[10][10] = {
    {"実行", "闘争", "表現", "鋭敏", "投資", "蓄財", "革新", "忍耐", "探究", "学問"},
    {"闘争", "実行", "鋭敏", "表現", "蓄財", "投資", "忍耐", "革新", "学問", "探究"},
    {"探究", "学問", "実行", "闘争", "表現", "鋭敏", "投資", "蓄財", "革新", "忍耐"},
    {"学問", "探究", "闘争", "実行", "鋭敏", "表現", "蓄財", "投資", "忍耐", "革新"},
    {"革新", "忍耐", "探究", "学問", "実行", "闘争", "表現", "鋭敏", "投資", "蓄財"},
    {"忍耐", "革新", "学問", "探究", "闘争", "実行", "鋭敏", "表現", "蓄財", "投資"},
    {"投資", "蓄財", "革新", "忍耐", "探究", "学問", "実行", "闘争", "表現", "鋭敏"},
    {"蓄財", "投資", "忍耐", "革新", "学問", "探究", "闘争", "実行", "鋭敏", "表現"},
    {"表現", "鋭敏", "投資", "蓄財", "革新", "忍耐", "探究", "学問", "実行", "闘争"},
    {"鋭敏", "表現", "蓄財", "投資", "忍耐", "革新", "学問", "探究", "闘争", "実行"},
};

// The twelve stages, rows base stem, columns running branch 子…亥.
const char* const kStageTable[10][12] = {
    {"沐浴", "冠帯", "建禄", "帝旺", "衰", "病", "死", "墓", "絶", "胎", "養", "長生"},
    {"病", "衰", "帝旺", "建禄", "冠帯", "沐浴", "長生", "養", "胎", "絶", "墓", "死"},
    {"胎", "養", "長生", "沐浴", "冠帯", "建禄", "帝旺", "衰", "病", "死", "墓", "絶"},
    {"絶", "墓", "死", "病", "衰", "帝旺", "建禄", "冠帯", "沐浴", "長生", "養", "胎"},
    {"胎", "養", "長生", "沐浴", "冠帯", "建禄", "帝旺", "衰", "病", "死", "墓", "絶"},
    {"絶", "墓", "死", "病", "衰", "帝旺", "建禄", "冠帯", "沐浴", "長生", "養", "胎"},
    {"死", "墓", "絶", "胎", "養", "長生", "沐浴", "冠帯", "建禄", "帝旺", "衰", "病"},
    {"長生", "養", "胎", "絶", "墓", "死", "病", "衰", "帝旺", "建禄", "冠帯", "沐浴"},
    {"帝旺", "衰", "病", "死", "墓", "絶", "胎", "養", "長生", "沐浴", "冠帯", "建禄"},
    {"建禄", "冠帯", "沐浴", "長生", "養", "胎", "絶", "墓", "死", "病", "衰", "帝旺"},
};

Branch branchAt(int i) {
    return static_cast<Branch>(i + 1);
}

TEST(Relations, TenRelationsReproduceTheTable) {
    for (int b = 0; b < 10; ++b) {
        for (int r = 0; r < 10; ++r) {
            EXPECT_EQ(stemRelationLabel(stemRelation(kStems[b], kStems[r])),
                      sjis(kStemRelationTable[b][r]))
                << b << "," << r;
        }
    }
    EXPECT_EQ(stemRelation(Stem::Hinoe, Stem::Kinoe), StemRelation::Inquiry);
    EXPECT_EQ(stemRelation(Stem::Kinoe, Stem::Hinoe), StemRelation::Expression);
}

TEST(Relations, TwelveStagesReproduceTheTableWithTheirMarks) {
    const struct {
        const char* stage;
        const char* mark;
    } marks[] = {{"長生", "〇"}, {"沐浴", "△"}, {"冠帯", "〇"}, {"建禄", "◎"},
                 {"帝旺", "◎"},  {"衰", "△"},   {"病", "▲"},    {"死", "●"},
                 {"墓", "▲"},    {"絶", "●"},   {"胎", "△"},    {"養", "△"}};
    for (int b = 0; b < 10; ++b) {
        for (int x = 0; x < 12; ++x) {
            const GrowthStage stage = growthStage(kStems[b], branchAt(x));
            EXPECT_EQ(growthStageLabel(stage), sjis(kStageTable[b][x])) << b << "," << x;
            EXPECT_EQ(growthStageLabel(stage), sjis(marks[static_cast<int>(stage)].stage));
            EXPECT_EQ(gradeMarkText(stageMark(stage)), sjis(marks[static_cast<int>(stage)].mark));
        }
    }
    EXPECT_EQ(growthStage(Stem::Kanoe, Branch::U), GrowthStage::Conception);
    EXPECT_EQ(growthStage(Stem::Kinoto, Branch::Ne), GrowthStage::Sickness);
}

TEST(Relations, GradeMarksAreTheirOwnCharacters) {
    const char* expected[] = {"◎", "〇", "○", "△", "▲", "●", "★", "☆"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(gradeMarkText(static_cast<GradeMark>(i)), sjis(expected[i])) << i;
    }
    EXPECT_EQ(gradeMarkText(GradeMark::GoodZero), "\x81\x5A");
    EXPECT_EQ(gradeMarkText(GradeMark::GoodCircle), "\x81\x9B");
}

TEST(Relations, BranchRelations) {
    const struct {
        Branch base, running;
        BranchRelation relation;
    } cases[] = {
        {Branch::Saru, Branch::Ne, BranchRelation::ThreeHarmony},
        {Branch::Saru, Branch::Tatsu, BranchRelation::ThreeHarmony},
        {Branch::Ne, Branch::Saru, BranchRelation::ThreeHarmony},
        {Branch::Tatsu, Branch::Saru, BranchRelation::ThreeHarmony},
        {Branch::Saru, Branch::U, BranchRelation::NoRelation},
        {Branch::Saru, Branch::I, BranchRelation::NoRelation},
        {Branch::Ne, Branch::Ne, BranchRelation::NoRelation},
        {Branch::Ne, Branch::Uma, BranchRelation::Clash},
        {Branch::Mi, Branch::I, BranchRelation::Clash},
        {Branch::Ne, Branch::Ushi, BranchRelation::SixCombination},
        {Branch::Tora, Branch::I, BranchRelation::SixCombination},
        {Branch::Uma, Branch::Hitsuji, BranchRelation::SixCombination},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(branchRelation(c.base, c.running), c.relation)
            << ordinal(c.base) << "," << ordinal(c.running);
    }
    int counts[4] = {};
    for (int b = 0; b < 12; ++b) {
        for (int r = 0; r < 12; ++r) {
            const BranchRelation relation = branchRelation(branchAt(b), branchAt(r));
            EXPECT_EQ(relation, branchRelation(branchAt(r), branchAt(b)));  // symmetric
            ++counts[static_cast<int>(relation)];
        }
    }
    EXPECT_EQ(counts[static_cast<int>(BranchRelation::SixCombination)], 12);
    EXPECT_EQ(counts[static_cast<int>(BranchRelation::ThreeHarmony)], 24);
    EXPECT_EQ(counts[static_cast<int>(BranchRelation::Clash)], 12);
}

}  // namespace
}  // namespace quorvel
