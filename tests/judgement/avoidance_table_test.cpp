#include <gtest/gtest.h>

#include <string>

#include "judgement/avoidance_table.h"
#include "judgement/relations.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

// Rows base stem, columns running stem, both 甲…癸; ・ for no entry.
const char* const kTable[10] = {
    "・・・・丁丙癸壬・・", "・・・・丁丙壬壬・・", "・・・・・・己戊乙乙", "・・・・・・己戊甲甲",
    "丁丁・・・・・・辛庚", "丙丙・・・・・・辛庚", "癸壬己己・・・・・・", "癸壬戊戊・・・・・・",
    "・・乙甲辛辛・・・・", "・・乙甲庚庚・・・・",
};

int stemNo(int ordinalOfStem) {
    return ordinalOfStem % 10;  // 癸 = 0, as JudgementKey holds it
}

TEST(AvoidanceTable, EveryCellAndTheRuleItFollows) {
    int entries = 0;
    for (int b = 1; b <= 10; ++b) {
        const std::string row = sjis(kTable[b - 1]);
        for (int r = 1; r <= 10; ++r) {
            const Stem base = static_cast<Stem>(b);
            const Stem running = static_cast<Stem>(r);
            const auto stem = avoidanceStem(stemNo(b), stemNo(r));
            const std::string cell = row.substr(static_cast<std::size_t>(r - 1) * 2, 2);
            SCOPED_TRACE(std::string(stemText(base)) + std::string(stemText(running)));
            EXPECT_EQ(stem ? std::string(stemText(*stem)) : sjis("・"), cell);

            const StemRelation relation = stemRelation(base, running);
            const bool controlling =
                relation == StemRelation::Investment || relation == StemRelation::Saving ||
                relation == StemRelation::Reform || relation == StemRelation::Endurance;
            EXPECT_EQ(stem.has_value(), controlling);
            if (stem) {
                ++entries;
                // Between the two in the production cycle: what the base produces when it
                // controls, what produces the base when it is controlled.
                const int baseElement = static_cast<int>(elementOf(base));
                const int expected =
                    relation == StemRelation::Investment || relation == StemRelation::Saving
                        ? (baseElement + 1) % 5
                        : (baseElement + 4) % 5;
                EXPECT_EQ(static_cast<int>(elementOf(*stem)), expected);
            }
        }
    }
    EXPECT_EQ(entries, 40);
    EXPECT_FALSE(avoidanceStem(10, 1));
    EXPECT_FALSE(avoidanceStem(-1, 1));
}

TEST(AvoidanceTable, Sentences) {
    char buffer[kAvoidanceBufferSize];
    writeAvoidanceText(buffer, Stem::Mizunoto);
    EXPECT_EQ(std::string(buffer),
              sjis("符使式奇門遁甲の天地盤で「癸癸」の日盤か時盤を多用して下さい。\n"
                   "年月時柱に「癸」があると一層効果的です。\n"
                   "但し、「癸」が命造中の喜神と干合する場合は使えません。\n"));
    writeAvoidanceText(buffer, std::nullopt);
    EXPECT_EQ(std::string(buffer), sjis("本年(大運)の天運は凶でないので避凶法はありません。\n"));
}

}  // namespace
}  // namespace quorvel
