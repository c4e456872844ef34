#include <gtest/gtest.h>

#include "common/fixed_text.h"
#include "consultation/consultation.h"
#include "platform/script/script.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using platform::script::EventKind;
using test::sjis;

TEST(Consultation, StartValues) {
    const ConsultationState state;
    EXPECT_EQ(state.person.sex, Sex::Unset);
    EXPECT_EQ(state.luckPeriodFlag, -1);
    EXPECT_EQ(state.calendarPeriodFlag, -1);
    EXPECT_EQ(state.person.name[0], '\0');
    EXPECT_EQ(state.outputFileName[0], '\0');
    EXPECT_EQ(state.outputReady + state.fortuneReady + state.hexagramReady + state.avoidanceReady +
                  state.disclosureReady,
              0);
    EXPECT_EQ(state.selectedSlot, 0);
    EXPECT_FALSE(state.recordListLoaded);
}

TEST(Consultation, AComputedChartMarksOutputReadyAndARefusedOneChangesNothing) {
    ConsultationState state;
    state.person.sex = Sex::Female;
    ASSERT_TRUE(computeChart(state, 1990, 5, 20, 10));
    EXPECT_EQ(state.outputReady, 1);
    EXPECT_FALSE(state.chart.luckForward);  // a woman of a yang year counts backwards
    EXPECT_EQ(state.chart.startAge, 4);

    state.outputReady = 0;
    EXPECT_FALSE(computeChart(state, 1990, 2, 30, 10));
    EXPECT_EQ(state.outputReady, 0);
    EXPECT_EQ(state.chart.dayPillar.text, sjis("乙酉"));
}

TEST(Consultation, ARefusedPillarIsToldInABoxOfTheOwner) {
    const struct {
        const char *base, *running, *message;
    } cases[] = {
        {"甲", "乙丑", "生日干支が間違っています。\n六十干支をもう一度確認して下さい。\n"},
        {"甲子", "乙丑 ", "行運干支が間違っています。\n六十干支をもう一度確認して下さい。\n"},
    };
    for (const auto& c : cases) {
        platform::script::reset();
        ConsultationState state;
        const auto owner = reinterpret_cast<platform::WindowHandle>(&state);
        copyText(state.basePillarText, sjis(c.base));
        copyText(state.runningPillarText, sjis(c.running));
        EXPECT_EQ(parseJudgementKey(state, owner), 0);
        const auto boxes = platform::script::eventsOf(EventKind::MessageBox);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, sjis(c.message));
        EXPECT_EQ(boxes[0].caption, sjis("エラー"));
        EXPECT_EQ(boxes[0].window, owner);
        EXPECT_EQ(boxes[0].buttons, platform::MessageButtons::Ok);
    }
}

}  // namespace
}  // namespace quorvel
