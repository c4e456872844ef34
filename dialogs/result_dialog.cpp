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
    // A null `person` shows `past` again, with nothing to write.
    ResultDialog(ConsultationState& state, std::string_view fileName, const BirthRecord* person,
                 std::string_view past = {})
        : state_(state), person_(person), past_(past) {
        copyText(fileName_, fileName);
    }

    void init(platform::DialogHandle& dialog) override {
        if (person_ == nullptr) {
            dialog.setText(kTextField, past_);
            dialog.enableControl(kFileOutputButton, false);
            return;
        }
        dialog.setText(kTextField, fieldText(state_.judgementBuffer));
        state_.outputReady = 1;
    }

    // Only ＯＫ (or Enter) closes it: Escape and the close box leave the judgement on screen.
    void command(platform::DialogHandle& dialog, int id) override {
        if (id == platform::kIdOk) {
            dialog.end(1);
        } else if (id == kFileOutputButton && person_ != nullptr) {
            buildOutputFileName(state_, {fieldText(fileName_)});
            if (offerOutput(state_, text::fortuneQuestion, text::txtOutputCaption,
                            fieldText(state_.outputFileName), fieldText(state_.judgementBuffer))) {
                rememberConsultation(state_, *person_, ConsultationKind::OutputFile,
                                     fieldText(state_.judgementBuffer),
                                     fieldText(state_.outputFileName));
            }
        }
    }

    void help(platform::DialogHandle& dialog) override {
        platform::openHelp(dialog.window(), text::resultHelpTopic);
    }

  private:
    ConsultationState& state_;
    const BirthRecord* person_;
    std::string_view past_;
    char fileName_[kOutputFileNameSize] = {};
};

}  // namespace

void runResultDialog(ConsultationState& state, platform::WindowHandle owner,
                     std::string_view fileName, const BirthRecord& person) {
    ResultDialog handler(state, fileName, &person);
    platform::runModalDialog(resultDialogTemplate(), owner, handler);
}

void showPastResult(ConsultationState& state, platform::WindowHandle owner, std::string_view text) {
    ResultDialog handler(state, {}, nullptr, text);
    platform::runModalDialog(resultDialogTemplate(), owner, handler);
}

}  // namespace quorvel
