#include <gtest/gtest.h>

#include "app/consultation_state.h"
#include "common/fixed_text.h"
#include "judgement/judgement.h"
#include "platform/script/script.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using platform::script::EventKind;
using test::sjis;

const std::string kBaseMessage =
    sjis("生日干支が間違っています。\n六十干支をもう一度確認して下さい。\n");
const std::string kRunningMessage =
    sjis("行運干支が間違っています。\n六十干支をもう一度確認して下さい。\n");

class ParseJudgementKey : public ::testing::Test {
  protected:
    void SetUp() override { platform::script::reset(); }

    int parse(const std::string& base, const std::string& running) {
        copyText(state.basePillarText, base);
        copyText(state.runningPillarText, running);
        return parseJudgementKey(state, owner);
    }

    ConsultationState state;
    platform::WindowHandle owner = reinterpret_cast<platform::WindowHandle>(&state);
};

TEST_F(ParseJudgementKey, NumbersOfGoodPillars) {
    const struct {
        const char *base, *running;
        JudgementKey key;
    } cases[] = {
        {"甲子", "乙丑", {1, 1, 2, 2}},
        {"癸亥", "癸酉", {0, 0, 0, 10}},
        {"甲戌", "庚申", {1, 11, 7, 9}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(parse(sjis(c.base), sjis(c.running)), 1) << c.base << c.running;
        EXPECT_EQ(state.judgementKey.baseStemNo, c.key.baseStemNo);
        EXPECT_EQ(state.judgementKey.baseBranchNo, c.key.baseBranchNo);
        EXPECT_EQ(state.judgementKey.runStemNo, c.key.runStemNo);
        EXPECT_EQ(state.judgementKey.runBranchNo, c.key.runBranchNo);
    }
    EXPECT_TRUE(platform::script::events().empty());
}

TEST_F(ParseJudgementKey, BadTextsAreReportedForTheirSide) {
    const struct {
        std::string base, running, message;
        JudgementKey key;  // after the parse, starting from {3, 3, 4, 4}
    } cases[] = {
        {sjis("甲子 "), sjis("乙丑"), kBaseMessage, {3, 3, 4, 4}},
        {"", sjis("乙丑"), kBaseMessage, {3, 3, 4, 4}},
        {sjis("甲丑"), "", kBaseMessage, {3, 3, 4, 4}},  // the running text is not looked at
        {sjis("甲子"), sjis("乙丑 "), kRunningMessage, {1, 1, 4, 4}},
        {sjis("甲子"), "", kRunningMessage, {1, 1, 4, 4}},
        {sjis("癸亥"), sjis("甲"), kRunningMessage, {0, 0, 4, 4}},
    };
    for (const auto& c : cases) {
        platform::script::reset();
        state.judgementKey = {3, 3, 4, 4};
        EXPECT_EQ(parse(c.base, c.running), 0);
        EXPECT_EQ(state.judgementKey.baseStemNo, c.key.baseStemNo);
        EXPECT_EQ(state.judgementKey.baseBranchNo, c.key.baseBranchNo);
        EXPECT_EQ(state.judgementKey.runStemNo, c.key.runStemNo);
        EXPECT_EQ(state.judgementKey.runBranchNo, c.key.runBranchNo);
        const auto boxes = platform::script::eventsOf(EventKind::MessageBox);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.message);
        EXPECT_EQ(boxes[0].caption, sjis("エラー"));
        EXPECT_EQ(boxes[0].window, owner);
        EXPECT_EQ(boxes[0].buttons, platform::MessageButtons::Ok);
    }
}

}  // namespace
}  // namespace quorvel
