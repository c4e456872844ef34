#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/run_command.h"

namespace {

std::string run(const std::string& args, int& status) {
    return quorvel::test::runCommand(std::string(QUORVEL_CLI_PATH) + " " + args, status);
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

TEST(JudgeCommand, ClashSentenceFollowsThePeriod) {
    const struct {
        const char* args;
        const char* ending;
    } cases[] = {
        {"judge 甲子 甲午", "(人運)★★是非や争いが多い年(月/日)です。\n"},
        {"judge --period calendar 甲子 甲午", "(人運)★★是非や争いが多い年(月/日)です。\n"},
        {"judge --utf8 甲子 甲午", "(人運)★★是非や争いが多い年(月/日)です。\n"},
        {"judge --period luck 甲子 甲午", "(人運)★★是非や争いが多い大運です。\n"},
        {"judge --period=luck 甲子 乙丑", "(人運)◎喜びが大きいものです。\n"},
        {"judge 甲子 甲子", "      \n"},
    };
    for (const auto& c : cases) {
        int status = 0;
        const std::string out = run(c.args, status);
        EXPECT_EQ(status, 0) << c.args;
        EXPECT_TRUE(endsWith(out, c.ending)) << c.args << "\n" << out;
        EXPECT_EQ(out.rfind("(天運)", 0), 0u) << c.args;
        EXPECT_EQ(out.find('\n'), out.size() - 1) << "one line: " << c.args;
    }
}

TEST(JudgeCommand, BadPillarsPrintTheirSidesMessage) {
    const struct {
        const char* args;
        const char* message;
    } cases[] = {
        {"judge 甲子 甲丑", "行運干支が間違っています。\n六十干支をもう一度確認して下さい。\n"},
        {"judge 甲 甲子", "生日干支が間違っています。\n六十干支をもう一度確認して下さい。\n"},
        {"judge '甲子 ' 甲子", "生日干支が間違っています。\n六十干支をもう一度確認して下さい。\n"},
        {"judge 甲子甲子 甲子", "生日干支が間違っています。\n六十干支をもう一度確認して下さい。\n"},
        {"judge 甲子 ''", "行運干支が間違っています。\n六十干支をもう一度確認して下さい。\n"},
    };
    for (const auto& c : cases) {
        int status = 0;
        const std::string out = run(std::string(c.args) + " 2>&1 >/dev/null", status);
        EXPECT_EQ(status, 2) << c.args;
        EXPECT_EQ(out, c.message) << c.args;
    }
    int status = 0;
    run("judge --period sometimes 甲子 甲子 2>/dev/null", status);
    EXPECT_EQ(status, 2);
    run("judge 甲子 2>/dev/null", status);
    EXPECT_EQ(status, 2);
}

TEST(JudgeCommand, ShiftJisOnRequest) {
    int status = 0;
    const std::string out = run("judge --sjis 甲子 甲子", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.substr(0, 10), "(\x93\x56\x89\x5e)\x8e\xc0\x8d\x73");  // (天運)実行
}

TEST(HexagramCommand, PrintsTheReadingAsKeptAndAsksForTheDunOfA5) {
    int status = 0;
    std::string out = run("hexagram 甲子 乙丑", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.rfind("\n易卦：天沢履△\n", 0), 0u) << out;
    EXPECT_EQ(out.back(), '\n');
    out = run("hexagram --dun yang 丙寅 庚午", status);
    EXPECT_EQ(out.rfind("\n易卦：水風井●\n", 0), 0u) << out;
    out = run("hexagram --dun=yin 丙寅 庚午", status);
    EXPECT_EQ(out.rfind("\n易卦：水天需●\n", 0), 0u) << out;
    out = run("hexagram 甲午 辛未", status);  // 巽 below 離: 火風鼎, without a final line feed
    EXPECT_EQ(out.rfind("\n易卦：火風鼎△\n", 0), 0u) << out;
    EXPECT_NE(out.back(), '\n');

    const struct {
        const char* args;
        const char* message;
    } refusals[] = {
        {"hexagram 丙寅 庚午", "陽遁か陰遁か選択して下さい\n"},
        {"hexagram 丙寅 甲", "陽遁か陰遁か選択して下さい\n"},
        {"hexagram --dun yang 丙寅 甲",
         "行運干支が間違っています。\n六十干支をもう一度確認して下さい。\n"},
        {"hexagram 甲 乙丑", "生日干支が間違っています。\n六十干支をもう一度確認して下さい。\n"},
        {"avoid 甲子 '庚午 '", "行運干支が間違っています。\n六十干支をもう一度確認して下さい。\n"},
    };
    for (const auto& r : refusals) {
        out = run(std::string(r.args) + " 2>&1 >/dev/null", status);
        EXPECT_EQ(status, 2) << r.args;
        EXPECT_EQ(out, r.message) << r.args;
    }
    run("hexagram --dun both 丙寅 庚午 2>/dev/null", status);
    EXPECT_EQ(status, 2);
}

TEST(AvoidCommand, TheStemOrTheSentenceThatNoneIsNeeded) {
    const struct {
        const char* args;
        const char* text;
    } cases[] = {
        {"avoid 甲子 庚午",
         "符使式奇門遁甲の天地盤で「癸癸」の日盤か時盤を多用して下さい。\n"
         "年月時柱に「癸」があると一層効果的です。\n"
         "但し、「癸」が命造中の喜神と干合する場合は使えません。\n"},
        {"avoid 甲子 甲午", "本年(大運)の天運は凶でないので避凶法はありません。\n"},
    };
    for (const auto& c : cases) {
        int status = 0;
        EXPECT_EQ(run(c.args, status), c.text);
        EXPECT_EQ(status, 0);
    }
    int status = 0;
    EXPECT_NE(run("avoid 乙丑 庚午", status).find("「壬壬」"), std::string::npos);
}

}  // namespace
