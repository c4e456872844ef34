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

}  // namespace
