#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "judgement/hexagram_tables.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::lastCharacters;
using test::sjis;
using test::utf8;

// Every pillar with its natal and period number, ten to a row from 甲子.
const char* const kStarTable[6][10] = {
    {"甲子 7/7", "乙丑 6/6", "丙寅 5/4", "丁卯 4/4", "戊辰 3/3", "己巳 2/2", "庚午 1/1", "辛未 9/9",
     "壬申 8/8", "癸酉 7/7"},
    {"甲戌 6/6", "乙亥 5/1", "丙子 4/4", "丁丑 3/3", "戊寅 2/2", "己卯 1/1", "庚辰 9/9", "辛巳 8/8",
     "壬午 7/7", "癸未 6/6"},
    {"甲申 5/7", "乙酉 4/4", "丙戌 3/3", "丁亥 2/2", "戊子 1/1", "己丑 9/9", "庚寅 8/8", "辛卯 7/7",
     "壬辰 6/6", "癸巳 5/9"},
    {"甲午 4/4", "乙未 3/3", "丙申 2/2", "丁酉 1/1", "戊戌 9/9", "己亥 8/8", "庚子 7/7", "辛丑 6/6",
     "壬寅 5/4", "癸卯 4/4"},
    {"甲辰 3/3", "乙巳 2/2", "丙午 1/1", "丁未 9/9", "戊申 8/8", "己酉 7/7", "庚戌 6/6", "辛亥 5/1",
     "壬子 4/4", "癸丑 3/3"},
    {"甲寅 2/2", "乙卯 1/1", "丙辰 9/9", "丁巳 8/8", "戊午 7/7", "己未 6/6", "庚申 5/7", "辛酉 4/4",
     "壬戌 3/3", "癸亥 2/2"},
};

TEST(HexagramTables, StarNumbersOfEveryPillar) {
    for (CycleIndex c = 1; c <= 60; ++c) {
        const std::string cell = kStarTable[(c - 1) / 10][(c - 1) % 10];
        SCOPED_TRACE(cell);
        EXPECT_EQ(pillarTextView(c), sjis(cell.substr(0, 6).c_str()));
        EXPECT_EQ(natalStar(c), cell[7] - '0');
        EXPECT_EQ(periodStar(c), cell[9] - '0');
    }
}

// The labels, rows the lower trigram, columns the upper one, both 水 地 雷 風 天 沢 山 火.
const char* const kLabels[8][8] = {
    {"坎為水●", "地水師●", "雷水解〇", "風水渙△", "天水訟●", "沢水困●", "山水蒙●", "火水未済〇"},
    {"水地比◎", "坤為地〇", "雷地豫〇", "風地観〇", "天地否●", "沢地萃〇", "山地剥●", "火地晋◎"},
    {"水雷屯●", "地雷復〇", "震為雷●", "風雷益〇", "天雷無妄●", "沢雷随〇", "山雷頤△",
     "火雷ﾛ巫ﾛ蓋(ぜいごう)●"},
    {"水風井●", "地風升〇", "雷風恒〇", "巽為風●", "天風こう●", "沢風大過●", "山風蠱●", "火風鼎△"},
    {"水天需●", "地天泰◎", "雷天大壮●", "風天小畜○", "乾為天〇", "沢天夬●", "山天大畜◎",
     "火天大有◎"},
    {"水沢節●", "地沢臨〇", "雷沢帰妹●", "風沢中孚〇", "天沢履△", "兌為沢▲", "山沢損〇",
     "火沢けい●"},
    {"水山蹇●", "地山謙〇", "雷山小過●", "風山漸〇", "天山遯●", "沢山咸〇", "艮為山●", "火山旅●"},
    {"水火既済●", "地火明夷●", "雷火豊◎", "風火家人〇", "天火同人◎", "沢火革〇", "山火賁〇",
     "離為火〇"},
};
constexpr StarNumber kStars[8] = {1, 2, 3, 4, 6, 7, 8, 9};

TEST(HexagramTables, EveryTextIsItsLabelAndOneToFourReadingLines) {
    int twoLineTexts = 0;
    int withoutFinalLineFeed = 0;
    for (int lower = 0; lower < 8; ++lower) {
        for (int upper = 0; upper < 8; ++upper) {
            const std::string text(hexagramText(kStars[lower], kStars[upper]));
            const std::string label = sjis("\n易卦：") + sjis(kLabels[lower][upper]) + "\n";
            SCOPED_TRACE(kLabels[lower][upper]);
            ASSERT_EQ(text.compare(0, label.size(), label), 0);
            EXPECT_GE(text.size(), 38u);
            EXPECT_LE(text.size(), 133u);
            const std::string reading = text.substr(label.size());
            const bool endsInLineFeed = !reading.empty() && reading.back() == '\n';
            const auto lines =
                std::count(reading.begin(), reading.end(), '\n') + (endsInLineFeed ? 0 : 1);
            EXPECT_GE(lines, 1);
            EXPECT_LE(lines, 4);
            EXPECT_EQ(reading.find("\n\n"), std::string::npos);
            twoLineTexts += lines == 2 ? 1 : 0;
            withoutFinalLineFeed += endsInLineFeed ? 0 : 1;
        }
    }
    EXPECT_EQ(twoLineTexts, 45);
    EXPECT_EQ(withoutFinalLineFeed, 3);
    for (const auto& [lower, upper] :
         {std::pair{4, 9}, {6, 4}, {7, 8}}) {  // 火風鼎 風天小畜 山沢損
        EXPECT_NE(hexagramText(lower, upper).back(), '\n');
    }
    EXPECT_TRUE(hexagramText(5, 1).empty());
    EXPECT_TRUE(hexagramText(1, 0).empty());
}

// The sentences of a reading in UTF-8, its line breaks dropped.
std::vector<std::string> sentences(std::string_view reading) {
    std::string text = utf8(reading);
    std::erase(text, '\n');
    std::vector<std::string> out;
    const std::string stop = "。";
    for (std::size_t start = 0, at; (at = text.find(stop, start)) != std::string::npos;
         start = at + stop.size()) {
        out.push_back(text.substr(start, at + stop.size() - start));
    }
    return out;
}

// A sentence that gives advice or tells what comes ends in the polite voice; the first sentence
// may name the situation the way a heading does.
bool endsPolitely(const std::string& sentence) {
    for (const char* ending :
         {"です。", "ます。", "ません。", "でしょう。", "ましょう。", "下さい。"}) {
        if (sentence.ends_with(ending)) {
            return true;
        }
    }
    return false;
}

TEST(HexagramTables, ReadingsSpeakInOneVoiceAndOpenInVariedWays) {
    const struct {
        const char* sentence;
        bool polite;
    } endings[] = {
        {"節度を守って下さい。", true},          {"やがて実を結ぶでしょう。", true},
        {"土台から固めましょう。", true},        {"深入りしてはいけません。", true},
        {"足元の人付き合いを見直して。", false}, {"機が熟すまで辛抱を。", false},
        {"ただし高慢には注意。", false},         {"水に流すのが吉。", false},
        {"一人で抱えないこと。", false},         {"慢心しないように。", false},
    };
    for (const auto& c : endings) {
        EXPECT_EQ(endsPolitely(c.sentence), c.polite) << c.sentence;
    }

    std::map<std::string, int> openings;  // by the last two characters of the first sentence
    for (const StarNumber lower : kStars) {
        for (const StarNumber upper : kStars) {
            const std::string_view text = hexagramText(lower, upper);
            const std::string_view reading = text.substr(text.find('\n', 1) + 1);
            const std::vector<std::string> s = sentences(reading);
            ASSERT_FALSE(s.empty()) << utf8(text);
            ++openings[lastCharacters(s.front(), 2)];
            // Every sentence after the first, and a reading's only sentence.
            for (std::size_t i = s.size() == 1 ? 0 : 1; i < s.size(); ++i) {
                EXPECT_TRUE(endsPolitely(s[i])) << s[i];
            }
        }
    }
    for (const auto& [ending, count] : openings) {
        EXPECT_LE(count * 3, 64) << ending;
    }
    EXPECT_GE(openings.size(), 4u);
}

TEST(HexagramTables, ReadingsOfTypedPillars) {
    const struct {
        const char *base, *running;
        Dun dun;
        HexagramCheck check;
        const char* label;  // of the reading on Ok
    } cases[] = {
        {"甲子", "乙丑", Dun::None, HexagramCheck::Ok, "天沢履△"},
        {"丙寅", "庚午", Dun::Yang, HexagramCheck::Ok, "水風井●"},
        {"丙寅", "庚午", Dun::Yin, HexagramCheck::Ok, "水天需●"},
        {"丙寅", "庚午", Dun::None, HexagramCheck::NeedsDun, ""},
        {"庚午", "丙寅", Dun::None, HexagramCheck::Ok, "風水渙△"},
        {"乙亥", "甲子", Dun::None, HexagramCheck::NeedsDun, ""},
        {"庚午", "乙亥", Dun::None, HexagramCheck::Ok, "坎為水●"},
        {"丙寅", "甲子 ", Dun::None, HexagramCheck::NeedsDun, ""},  // asked before the running
        {"丙寅", "甲子 ", Dun::Yin, HexagramCheck::BadRunning, ""},
        {"甲子 ", "乙丑", Dun::None, HexagramCheck::BadBase, ""},
        {"", "", Dun::Yang, HexagramCheck::BadBase, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.base) + "/" + c.running);
        std::string_view reading;
        EXPECT_EQ(findHexagram(sjis(c.base), c.dun, sjis(c.running), reading), c.check);
        if (c.check == HexagramCheck::Ok) {
            EXPECT_EQ(std::string(reading).find(sjis("易卦：") + sjis(c.label)), 1u);
        }
    }
    EXPECT_EQ(hexagramCheckMessage(HexagramCheck::NeedsDun), sjis("陽遁か陰遁か選択して下さい"));
    EXPECT_EQ(hexagramCheckMessage(HexagramCheck::BadRunning),
              sjis("行運干支が間違っています。\n六十干支をもう一度確認して下さい。\n"));
}

}  // namespace
}  // namespace quorvel
