#include "common/fixed_text.h"
#include "consultation/consultation.h"
#include "dialogs/consultation_dialogs.h"
#include "dialogs/dialog_texts.h"
#include "dialogs/pillar_fields.h"
#include "platform/ui.h"
#include "resources/dialog_templates.h"

namespace quorvel {

namespace {

// A judgement for a year, month or day, without a chart. Once the entry is accepted the dialog
// closes first; its messages and the result dialog then belong to the main window.
class StemBranchDialog final : public PillarPairDialog {
  public:
    using PillarPairDialog::PillarPairDialog;

  private:
    void judge(platform::DialogHandle& dialog) override {
        copyText(state_.judgementBuffer, {});
        if (!readPillarFields(dialog, state_)) {
            tellDataError(dialog.window());
            return;  // stays open for correction
        }
        dialog.end(platform::kIdOk);
        judgeTypedPair(state_, dialog.window(), {0, 1});
    }
};

}  // namespace

void runStemBranchDialog(ConsultationState& state) {
    StemBranchDialog handler(state, text::stemBranchHelpTopic);
    platform::runModalDialog(inputDialogTemplate(), state.mainWindow, handler);
}

}  // namespace quorvel
