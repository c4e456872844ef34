#include "consultation/consultation.h"

#include "common/fixed_text.h"
#include "platform/ui.h"

namespace quorvel {

BirthCheck computeChart(ConsultationState& state, const BirthTime& birth, const Birthplace& place) {
    const BirthCheck check =
        readBirth(state.chart, state.reading, state.person.sex, birth, state.rules, place);
    if (check == BirthCheck::Ok) {
        state.outputReady = 1;
    }
    return check;
}

BirthCheck checkPersonBirth(const ConsultationState& state, const BirthRecord& person) {
    Chart chart;
    BirthReading reading;
    return readBirth(chart, reading, person.sex, person.birthTime(), state.rules, person.place);
}

bool computeChart(ConsultationState& state, int year, int month, int day, int hour) {
    return computeChart(state, {year, month, day, hour}, {}) == BirthCheck::Ok;
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
