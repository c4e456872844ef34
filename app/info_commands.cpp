#include "app/info_commands.h"

#include "app/app_texts.h"
#include "app/consultation_state.h"
#include "app/resources/dialog_templates.h"
#include "common/fixed_text.h"
#include "platform/ui.h"

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
    state.outputReady = 1;
    copyText(state.outputFileName, text::disclosureFileName);
    state.disclosureReady = 1;
    state.avoidanceReady = 0;
    state.fortuneReady = 0;
    state.hexagramReady = 0;
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
