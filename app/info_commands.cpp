#include "app/info_commands.h"

#include "app/app_texts.h"
#include "common/fixed_text.h"
#include "consultation/consultation.h"
#include "platform/ui.h"
#include "resources/dialog_templates.h"

namespace quorvel {

namespace {

// The about box: 了解, Escape and the close box all close it.
class AboutBox : public platform::DialogHandler {
  public:
    void init(platform::DialogHandle& /*dialog*/) override {}
    void command(platform::DialogHandle& dialog, int id) override {
        if (id == platform::kIdOk || id == platform::kIdCancel) {
            dialog.end(1);
        }
    }
};

}  // namespace

void showDisclosure(ConsultationState& state) {
    platform::messageBox(state.mainWindow, text::disclosureText, text::disclosureCaption,
                         platform::MessageButtons::Ok);
    copyText(state.outputFileName, text::disclosureFileName);
    markOutputReady(state, ReadyText::Disclosure);
}

void showSymbolMeaning(ConsultationState& state) {
    platform::informationBeep();
    platform::messageBox(state.mainWindow, text::symbolMeaningText, text::symbolMeaningCaption,
                         platform::MessageButtons::Ok);
}

void runAboutBox(ConsultationState& state) {
    AboutBox handler;
    platform::runModalDialog(aboutBoxTemplate(), state.mainWindow, handler);
}

void openHelpContents(ConsultationState& state) {
    platform::openHelp(state.mainWindow);
}

}  // namespace quorvel
