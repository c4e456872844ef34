#include "common/fixed_text.h"
#include "consultation/consultation.h"
#include "dialogs/consultation_dialogs.h"
#include "dialogs/dialog_texts.h"
#include "dialogs/pillar_fields.h"
#include "platform/ui.h"
#include "resources/dialog_templates.h"

namespace quorvel {

namespace {

constexpr int kYangButton = 105;
constexpr int kYinButton = 106;
constexpr int kNoChoiceButton = 107;

// The reading of human relations through a hexagram. Once 実行 is pressed the dialog closes
// first, whatever the entry; its messages then belong to the main window.
class HexagramDialog final : public PillarPairDialog {
  public:
    using PillarPairDialog::PillarPairDialog;

    void init(platform::DialogHandle& dialog) override {
        PillarPairDialog::init(dialog);
        choose(dialog, kNoChoiceButton, Dun::None);
    }

  private:
    void otherCommand(platform::DialogHandle& dialog, int id) override {
        if (id == kYangButton) {
            choose(dialog, id, Dun::Yang);
        } else if (id == kYinButton) {
            choose(dialog, id, Dun::Yin);
        } else if (id == kNoChoiceButton) {
            // What is seen selected is what counts: no choice clears an earlier one.
            choose(dialog, id, Dun::None);
        }
    }

    void choose(platform::DialogHandle& dialog, int button, Dun dun) {
        dialog.checkRadioButton(kYangButton, kNoChoiceButton, button);
        dun_ = dun;
    }

    void judge(platform::DialogHandle& dialog) override {
        copyText(state_.hexagramBuffer, {});
        if (!readPillarFields(dialog, state_)) {
            tellDataError(dialog.window());  // the lookup below names the empty field again
        }
        dialog.end(platform::kIdOk);
        buildOutputFileName(state_,
                            {fieldText(state_.person.name), fieldText(state_.runningPillarText),
                             text::hexagramFileSuffix});
        markOutputReady(state_, ReadyText::Hexagram);

        std::string_view reading;
        const HexagramCheck check = findHexagram(fieldText(state_.basePillarText), dun_,
                                                 fieldText(state_.runningPillarText), reading);
        if (check != HexagramCheck::Ok) {
            platform::messageBox(
                dialog.window(), hexagramCheckMessage(check),
                check == HexagramCheck::NeedsDun ? text::dunChoiceCaption : std::string_view(),
                platform::MessageButtons::Ok);
            return;
        }
        copyText(state_.hexagramBuffer, reading);
        if (state_.hexagramBuffer[0] != '\0') {
            platform::informationBeep();
            platform::messageBox(dialog.window(), fieldText(state_.hexagramBuffer),
                                 text::hexagramCaption, platform::MessageButtons::Ok);
        }
    }

    Dun dun_ = Dun::None;
};

}  // namespace

void runHexagramDialog(ConsultationState& state) {
    HexagramDialog handler(state, text::hexagramHelpTopic);
    platform::runModalDialog(hexagramDialogTemplate(), state.mainWindow, handler);
}

}  // namespace quorvel
