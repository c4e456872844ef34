#include "dialogs/result_dialog.h"

#include "common/fixed_text.h"
#include "consultation/consultation_state.h"
#include "consultation/consultation_texts.h"
#include "consultation/offer_output.h"
#include "dialogs/dialog_texts.h"
#include "dialogs/pillar_fields.h"
#include "platform/ui.h"
#include "resources/dialog_templates.h"

namespace quorvel {

namespace {

constexpr int kTextField = 101;
constexpr int kFileOutputButton = 1067;

class ResultDialog final : public platform::DialogHandler {
  public:
    ResultDialog(ConsultationState& state, std::string_view fileName) : state_(state) {
        copyText(fileName_, fileName);
    }

    void init(platform::DialogHandle& dialog) override {
        dialog.setText(kTextField, fieldText(state_.judgementBuffer));
        state_.outputReady = 1;
    }

    // Only ＯＫ (or Enter) closes it: Escape and the close box leave the judgement on screen.
    void command(platform::DialogHandle& dialog, int id) override {
        if (id == platform::kIdOk) {
            dialog.end(1);
        } else if (id == kFileOutputButton) {
            buildOutputFileName(state_, {fieldText(fileName_)});
            offerOutput(state_, text::fortuneQuestion, text::txtOutputCaption,
                        fieldText(state_.outputFileName), fieldText(state_.judgementBuffer));
        }
    }

    void help(platform::DialogHandle& dialog) override {
        platform::openHelp(dialog.window(), text::resultHelpTopic);
    }

  private:
    ConsultationState& state_;
    char fileName_[kOutputFileNameSize] = {};
};

}  // namespace

void runResultDialog(ConsultationState& state, platform::WindowHandle owner,
                     std::string_view fileName) {
    ResultDialog handler(state, fileName);
    platform::runModalDialog(resultDialogTemplate(), owner, handler);
}

}  // namespace quorvel
