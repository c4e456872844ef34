#include "consultation/consultation.h"

#include "common/fixed_text.h"
#include "platform/ui.h"

namespace quorvel {

bool computeChart(ConsultationState& state, int year, int month, int day, int hour) {
    if (!computeChart(state.chart, state.person.sex, year, month, day, hour)) {
        return false;
    }
    state.outputReady = 1;
    return true;
}

void tell(platform::WindowHandle owner, std::string_view message) {
    platform::messageBox(owner, message, {}, platform::MessageButtons::Ok);
}

int parseJudgementKey(ConsultationState& state, platform::WindowHandle owner) {
    const PillarCheck check = parseJudgementKey(state.judgementKey, fieldText(state.basePillarText),
                                                fieldText(state.runningPillarText));
    if (check != PillarCheck::Ok) {
        tell(owner, pillarCheckMessage(check));
        return 0;
    }
    return 1;
}

void composeJudgement(ConsultationState& state) {
    composeJudgement(state.judgementBuffer, state.judgementKey,
                     {state.luckPeriodFlag, state.calendarPeriodFlag});
}

void markOutputReady(ConsultationState& state, ReadyText ready) {
    state.outputReady = 1;
    state.avoidanceReady = ready == ReadyText::Avoidance ? 1 : 0;
    state.fortuneReady = ready == ReadyText::Fortune ? 1 : 0;
    state.hexagramReady = ready == ReadyText::Hexagram ? 1 : 0;
    state.disclosureReady = ready == ReadyText::Disclosure ? 1 : 0;
}

}  // namespace quorvel
