#include "judgement/text_tables.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "judgement/hexagram_tables.h"
#include "judgement/relations.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::lastCharacters;
using test::sjis;
using test::utf8;

constexpr int kStemCount = 10;

// Each 天運 entry's relation, mark ("—" for none) and special lines, rows base stem 甲…癸,
// columns running stem 甲…癸.
const char* const kHeavenLayout[10][10] = {
    {"実行 ○", "闘争 △", "表現 〇", "鋭敏 ●", "投資 ●", "蓄財 〇 ☆男 (女性)", "革新 ●",
     "忍耐 △ ☆女", "探究 〇", "学問 ◎"},
    {"闘争 ◎", "実行 ▲", "鋭敏 〇", "表現 ▲", "蓄財 〇 ☆男 (女性)", "投資 〇", "忍耐 ● ☆女",
     "革新 ●", "学問 △", "探究 ◎"},
    {"探究 △", "学問 〇", "実行 ▲", "闘争 △", "表現 ▲", "鋭敏 ○", "投資 ▲", "蓄財 ◎ ☆男", "革新 —",
     "忍耐 ● ☆女"},
    {"学問 ◎", "探究 △", "闘争 △", "実行 〇", "鋭敏 〇", "表現 △", "蓄財 ▲ ☆男 (女性)", "投資 ●",
     "忍耐 △ ☆女", "革新 ▲"},
    {"革新 ●", "忍耐 ● ☆女", "探究 ▲", "学問 〇", "実行 〇", "闘争 △", "表現 ●", "鋭敏 —", "投資 ●",
     "蓄財 ● ☆男"},
    {"忍耐 △ ☆女", "革新 ▲", "学問 〇", "探究 △", "闘争 ◎", "実行 △", "鋭敏 ▲", "表現 ▲",
     "蓄財 ● ☆男", "投資 〇"},
    {"投資 ▲", "蓄財 ▲", "革新 ●", "忍耐 〇 ☆女", "探究 ◎", "学問 〇", "実行 ●", "闘争 ▲", "表現 ●",
     "鋭敏 ▲"},
    {"蓄財 ▲ ☆男", "投資 ●", "忍耐 〇 ☆女", "革新 ●", "学問 〇", "探究 ●", "闘争 ●", "実行 ▲",
     "鋭敏 〇", "表現 △"},
    {"表現 ▲", "鋭敏 〇", "投資 —", "蓄財 〇 ☆男", "革新 △", "忍耐 ● ☆女", "探究 △", "学問 —",
     "実行 ◎", "闘争 ▲"},
    {"鋭敏 △", "表現 △", "蓄財 ▲ ☆男", "投資 —", "忍耐 〇 ☆女", "革新 〇", "学問 ▲", "探究 △",
     "闘争 ◎", "実行 〇"},
};

Stem stemAt(int i) {
    return static_cast<Stem>(i + 1);
}
Branch branchAt(int i) {
    return static_cast<Branch>(i + 1);
}

std::vector<std::string> words(const char* text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string w; in >> w;) {
        out.push_back(w);
    }
    return out;
}

// Splits at the separator; an entry that ends with it gives an empty last part.
std::vector<std::string> parts(std::string_view entry) {
    std::vector<std::string> out;
    std::size_t start = 0;
    std::size_t at = 0;
    while ((at = entry.find(kTextSeparator, start)) != std::string_view::npos) {
        out.emplace_back(entry.substr(start, at - start));
        start = at + kTextSeparator.size();
    }
    out.emplace_back(entry.substr(start));
    return out;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The first sentence of a paragraph, up to and including its 。.
std::string firstSentence(const std::string& prose) {
    const std::string stop = sjis("。");
    const std::size_t at = prose.find(stop);
    return at == std::string::npos ? prose : prose.substr(0, at + stop.size());
}

TEST(TextTables, EveryHeavenEntryHasItsLayout) {
    const std::string marks[] = {sjis("◎"), sjis("〇"), sjis("○"), sjis("△"), sjis("▲"), sjis("●")};
    const std::string women = sjis("　　　(女性)");
    const std::string menLine = sjis("☆男性は結婚相手が現れる時期です");
    const std::string womenLine = sjis("☆女性は、結婚相手が現れる時期です");
    std::set<std::string> proses;
    for (int b = 0; b < kStemCount; ++b) {
        for (int r = 0; r < kStemCount; ++r) {
            SCOPED_TRACE(std::to_string(b) + "," + std::to_string(r));
            const std::vector<std::string> layout = words(kHeavenLayout[b][r]);
            const std::string_view entry = heavenText(stemAt(b), stemAt(r));
            const bool marriage = layout.size() > 2 && startsWith(layout[2], "☆");
            const bool forWomen = layout.back() == "(女性)";

            EXPECT_GE(entry.size(), 250u);
            EXPECT_LE(entry.size(), 756u);
            EXPECT_EQ(entry.find('\n'), std::string_view::npos);
            EXPECT_EQ(stemRelationLabel(stemRelation(stemAt(b), stemAt(r))), sjis(layout[0]));

            const std::vector<std::string> p = parts(entry);
            ASSERT_EQ(p.size(), marriage ? 5u : 4u);
            EXPECT_EQ(p[0], sjis("(天運)" + layout[0]));
            EXPECT_EQ(p.back(), "");  // the closing separator
            const std::string& prose = p[1];
            EXPECT_EQ(prose.find(women) != std::string::npos, forWomen);
            EXPECT_EQ(prose.find(sjis("(女性)")) != std::string::npos, forWomen);
            if (marriage) {
                if (layout[2] == "☆男") {
                    EXPECT_EQ(p[2], menLine);
                } else if (b == 1 && r == 6) {  // 乙 with 庚 goes on with a clause of its own
                    EXPECT_TRUE(startsWith(p[2], womenLine));
                    EXPECT_GT(p[2].size(), womenLine.size());
                } else {
                    EXPECT_EQ(p[2], womenLine);
                }
            }
            EXPECT_EQ(entry.find(sjis("☆")) != std::string_view::npos, marriage);
            const std::string& summary = p[p.size() - 2];
            if (layout[1] == "—") {
                for (const std::string& mark : marks) {
                    EXPECT_FALSE(startsWith(summary, mark));
                }
                EXPECT_FALSE(summary.empty());
            } else {
                EXPECT_TRUE(startsWith(summary, sjis(layout[1])));
                EXPECT_GT(summary.size(), sjis(layout[1]).size());
            }
            proses.insert(prose);
        }
    }
    EXPECT_EQ(proses.size(), 100u);
}

TEST(TextTables, FourRelationsShareAGeneralParagraphYetNoProseRepeats) {
    // The entries whose prose is wholly their own.
    const std::set<std::pair<int, int>> ownOpening = {{3, 6}, {8, 2}, {1, 6},
                                                      {2, 9}, {2, 8}, {1, 7}};
    std::map<StemRelation, std::vector<std::pair<std::string, bool>>> byRelation;
    for (int b = 0; b < kStemCount; ++b) {
        for (int r = 0; r < kStemCount; ++r) {
            const StemRelation relation = stemRelation(stemAt(b), stemAt(r));
            if (relation == StemRelation::Investment || relation == StemRelation::Saving ||
                relation == StemRelation::Reform || relation == StemRelation::Endurance) {
                byRelation[relation].emplace_back(parts(heavenText(stemAt(b), stemAt(r)))[1],
                                                  ownOpening.count({b, r}) == 0);
            }
        }
    }
    std::set<std::string> remainders;
    std::size_t withParagraph = 0;
    for (const auto& [relation, entries] : byRelation) {
        std::string general;
        for (const auto& [prose, opens] : entries) {
            if (opens) {
                general = general.empty() ? firstSentence(prose) : general;
                EXPECT_EQ(firstSentence(prose), general) << static_cast<int>(relation);
            }
        }
        std::size_t opening = 0;
        for (const auto& [prose, opens] : entries) {
            EXPECT_EQ(startsWith(prose, general), opens) << static_cast<int>(relation);
            opening += opens ? 1 : 0;
            const std::string rest = opens ? prose.substr(general.size()) : prose;
            EXPECT_FALSE(rest.empty());
            remainders.insert(rest);
        }
        EXPECT_TRUE(opening == 8 || opening == 9) << static_cast<int>(relation);
        withParagraph += opening;
    }
    EXPECT_EQ(withParagraph, 34u);
    EXPECT_EQ(remainders.size(), 40u);
}

TEST(TextTables, EveryEarthEntryHasItsLayout) {
    const std::map<GrowthStage, std::string> warnings = {
        {GrowthStage::Decline, sjis("★破縁、破談などの兆候が現れやすい時でもあります。")},
        {GrowthStage::Sickness,
         sjis("★権利放棄とか離職とか、肉親や親しい人との別離を生じやすい時でもあります。")},
        {GrowthStage::Death, sjis("★急な病気の発生や破縁、破談の嘆きを生じやすい時でもあります。")},
    };
    std::map<std::pair<int, bool>, std::string> proseOf;  // by stage, and yang for 長生 and 帝旺
    for (int b = 0; b < kStemCount; ++b) {
        for (int x = 0; x < 12; ++x) {
            SCOPED_TRACE(std::to_string(b) + "," + std::to_string(x));
            const GrowthStage stage = growthStage(stemAt(b), branchAt(x));
            const std::string_view entry = earthText(stemAt(b), branchAt(x));
            EXPECT_GE(entry.size(), 150u);
            EXPECT_LE(entry.size(), 604u);
            EXPECT_EQ(entry.find('\n'), std::string_view::npos);
            const std::vector<std::string> p = parts(entry);
            const auto warning = warnings.find(stage);
            ASSERT_EQ(p.size(), warning != warnings.end() ? 4u : 3u);
            EXPECT_EQ(p[0], sjis("(地運)") + std::string(gradeMarkText(stageMark(stage))) +
                                std::string(growthStageLabel(stage)));
            EXPECT_EQ(p.back(), "");
            EXPECT_EQ(p[1].find(sjis("★")), std::string::npos);
            if (warning != warnings.end()) {
                EXPECT_EQ(p[2], warning->second);
            }
            const bool splitByPolarity = stage == GrowthStage::Birth || stage == GrowthStage::Prime;
            const auto key =
                std::make_pair(static_cast<int>(stage), splitByPolarity && isYang(stemAt(b)));
            const auto [it, inserted] = proseOf.emplace(key, p[1]);
            if (!inserted) {
                EXPECT_EQ(it->second, p[1]);
            }
        }
    }
    EXPECT_EQ(proseOf.size(), 14u);
    std::set<std::string> distinct;
    for (const auto& [key, prose] : proseOf) {
        distinct.insert(prose);
    }
    EXPECT_EQ(distinct.size(), 14u);
}

TEST(TextTables, TellingEntries) {
    EXPECT_TRUE(startsWith(heavenText(Stem::Kinoe, Stem::Kinoe), sjis("(天運)実行      ")));
    EXPECT_TRUE(startsWith(heavenText(Stem::Hinoe, Stem::Kinoe), sjis("(天運)探究")));
    EXPECT_TRUE(startsWith(earthText(Stem::Kinoe, Branch::I), "(\x92\x6e\x89\x5e)\x81\x5a"));
    EXPECT_TRUE(startsWith(earthText(Stem::Kinoe, Branch::I), sjis("(地運)〇長生")));
    EXPECT_TRUE(startsWith(earthText(Stem::Kanoe, Branch::U), sjis("(地運)△胎")));
}

TEST(TextTables, OneSpellingOfKudasai) {
    const std::string kana = sjis("ください");
    const std::string kanji = sjis("下さい");
    std::vector<std::pair<std::string, std::string_view>> texts;
    for (int b = 0; b < kStemCount; ++b) {
        for (int r = 0; r < kStemCount; ++r) {
            texts.emplace_back("heaven " + std::to_string(b) + "," + std::to_string(r),
                               heavenText(stemAt(b), stemAt(r)));
        }
        for (int x = 0; x < 12; ++x) {
            texts.emplace_back("earth " + std::to_string(b) + "," + std::to_string(x),
                               earthText(stemAt(b), branchAt(x)));
        }
    }
    for (StarNumber lower = 1; lower <= 9; ++lower) {
        for (StarNumber upper = 1; upper <= 9; ++upper) {
            if (lower != 5 && upper != 5) {
                texts.emplace_back(
                    "hexagram " + std::to_string(lower) + "," + std::to_string(upper),
                    hexagramText(lower, upper));
            }
        }
    }
    std::size_t withKanji = 0;
    for (const auto& [name, text] : texts) {
        EXPECT_EQ(text.find(kana), std::string_view::npos) << name;
        withKanji += text.find(kanji) != std::string_view::npos ? 1u : 0u;
    }
    EXPECT_EQ(texts.size(), 100u + 120u + 64u);
    EXPECT_GT(withKanji, 100u);  // the spelling that stays is in use
}

TEST(TextTables, HeavenSummariesVaryTheirEndings) {
    const struct {
        const char* text;
        const char* ending;
    } cases[] = {
        {"〇新しい道が開ける時期です。", "期です。"},
        {"大きな波はなく、静かな巡りです。", "りです。"},
        {"で。", "で。"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lastCharacters(c.text, 4), c.ending) << c.text;
    }

    std::map<std::string, int> endings;
    for (int b = 0; b < kStemCount; ++b) {
        for (int r = 0; r < kStemCount; ++r) {
            const std::vector<std::string> p = parts(heavenText(stemAt(b), stemAt(r)));
            ASSERT_GE(p.size(), 4u);
            const std::string summary = utf8(p[p.size() - 2]);
            EXPECT_EQ(lastCharacters(summary, 1), "。") << summary;
            ++endings[lastCharacters(summary, 4)];
        }
    }
    for (const auto& [ending, count] : endings) {
        EXPECT_LE(count, 34) << ending;
    }
    EXPECT_GE(endings.size(), 6u);
}

TEST(TextTables, HumanSentences) {
    EXPECT_EQ(sixCombinationSentence(), sjis("(人運)◎喜びが大きいものです。"));
    EXPECT_EQ(threeHarmonySentence(), sjis("(人運)○何かの助けがあり、目上の引き立てを受けます。"));
    EXPECT_EQ(threeHarmonySentenceMarkFirst(),
              sjis("○(人運)何かの助けがあり、目上の引き立てを受けます。"));
    EXPECT_EQ(luckClashSentence(), sjis("(人運)★★是非や争いが多い大運です。"));
    EXPECT_EQ(calendarClashSentence(), sjis("(人運)★★是非や争いが多い年(月/日)です。"));
    EXPECT_EQ(luckClashSentence().size() + calendarClashSentence().size(), 77u);
}

}  // namespace
}  // namespace quorvel
