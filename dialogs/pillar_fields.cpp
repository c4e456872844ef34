#include "dialogs/pillar_fields.h"

#include "common/fixed_text.h"
#include "consultation/consultation.h"
#include "consultation/consultation_texts.h"
#include "dialogs/dialog_texts.h"
#include "dialogs/result_dialog.h"

namespace quorvel {

bool readPillarFields(platform::DialogHandle& dialog, ConsultationState& state) {
    dialog.getText(kBaseField, state.basePillarText, kPillarFieldBytes);
    dialog.getText(kRunningField, state.runningPillarText, kPillarFieldBytes);
    return state.basePillarText[0] != '\0' && state.runningPillarText[0] != '\0';
}

void showPillarFields(platform::DialogHandle& dialog, const ConsultationState& state) {
    dialog.setText(kBaseField, fieldText(state.basePillarText));
    dialog.setText(kRunningField, fieldText(state.runningPillarText));
}

void buildOutputFileName(ConsultationState& state, std::initializer_list<std::string_view> parts) {
    copyText(state.outputFileName, {});
    for (const std::string_view part : parts) {
        appendText(state.outputFileName, part);
    }
}

void judgeTypedPair(ConsultationState& state, platform::WindowHandle owner, PeriodFlags period) {
    state.calendarPeriodFlag = period.calendarPeriod;
    state.luckPeriodFlag = period.luckPeriod;
    buildOutputFileName(state, {fieldText(state.person.name), fieldText(state.runningPillarText),
                                text::fortuneFileSuffix});
    markOutputReady(state, ReadyText::Fortune);
    const bool judged = parseJudgementKey(state, owner) != 0;
    if (judged) {
        composeJudgement(state);
        rememberConsultation(state, state.person, ConsultationKind::Judgement,
                             fieldText(state.judgementBuffer));
    }
    // The 運勢暦's period counts for this judgement only.
    state.periodYear = state.periodMonth = state.periodDay = 0;
    if (!judged) {
        return;
    }
    platform::informationBeep();
    runResultDialog(state, owner, fieldText(state.outputFileName), state.person);
}

void tellDataError(platform::WindowHandle owner) {
    tell(owner, text::dataErrorMessage);
}

void PillarPairDialog::command(platform::DialogHandle& dialog, int id) {
    if (id == platform::kIdOk) {
        judge(dialog);
    } else if (id == platform::kIdCancel) {
        state_.outputReady = 0;
        dialog.end(platform::kIdCancel);
    } else {
        otherCommand(dialog, id);
    }
}

}  // namespace quorvel
