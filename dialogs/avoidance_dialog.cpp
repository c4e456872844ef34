#include "common/fixed_text.h"
#include "consultation/consultation.h"
#include "dialogs/consultation_dialogs.h"
#include "dialogs/dialog_texts.h"
#include "dialogs/pillar_fields.h"
#include "platform/ui.h"
#include "resources/dialog_templates.h"

namespace quorvel {

namespace {

// The avoidance method for a bad 天運: closes on 実行, then answers in a box of its own.
class AvoidanceDialog final : public PillarPairDialog {
  public:
    using PillarPairDialog::PillarPairDialog;

  private:
    void judge(platform::DialogHandle& dialog) override {
        copyText(state_.avoidanceBuffer, {});
        if (!readPillarFields(dialog, state_)) {
            tellDataError(dialog.window());
            dialog.end(platform::kIdOk);
            return;
        }
        dialog.end(platform::kIdOk);
        buildOutputFileName(state_,
                            {fieldText(state_.person.name), fieldText(state_.runningPillarText),
                             text::avoidanceFileSuffix});
        markOutputReady(state_, ReadyText::Avoidance);
        if (parseJudgementKey(state_, dialog.window()) == 0) {
            return;
        }
        const auto stem =
            avoidanceStem(state_.judgementKey.baseStemNo, state_.judgementKey.runStemNo);
        writeAvoidanceText(state_.avoidanceBuffer, stem);
        if (stem) {
            platform::informationBeep();
        }
        platform::messageBox(dialog.window(), fieldText(state_.avoidanceBuffer),
                             text::avoidanceCaption, platform::MessageButtons::Ok);
    }
};

}  // namespace

void runAvoidanceDialog(ConsultationState& state) {
    AvoidanceDialog handler(state, text::avoidanceHelpTopic);
    platform::runModalDialog(avoidanceDialogTemplate(), state.mainWindow, handler);
}

}  // namespace quorvel
