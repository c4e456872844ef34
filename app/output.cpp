#include "app/output.h"

#include "app/app_texts.h"
#include "common/fixed_text.h"
#include "consultation/consultation_state.h"
#include "consultation/consultation_texts.h"
#include "consultation/offer_output.h"
#include "platform/ui.h"
#include "resources/command_ids.h"

namespace quorvel {

namespace {

// The button's place in the main window's client area, in pixels.
constexpr int kOutputButtonX = 490;
constexpr int kOutputButtonY = 355;
constexpr int kOutputButtonWidth = 120;  // holds ファイル出力(O) in the 16-pixel gothic
constexpr int kOutputButtonHeight = 32;

}  // namespace

void showOutputButton(ConsultationState& state) {
    if (state.outputButtonShown) {
        return;
    }
    platform::createChildButton(state.mainWindow, text::outputButtonText, kCommandOutput,
                                kOutputButtonX, kOutputButtonY, kOutputButtonWidth,
                                kOutputButtonHeight);
    state.outputButtonShown = true;
}

void runOutputCommand(ConsultationState& state) {
    struct Ready {
        std::int32_t flag;
        std::string_view question;
        std::string_view caption;
        std::string_view text;
    };
    // In this fixed order; an empty text is never offered, so it cannot replace an earlier file.
    const Ready candidates[] = {
        {state.avoidanceReady, text::avoidanceQuestion, text::txtOutputCaption,
         fieldText(state.avoidanceBuffer)},
        {state.fortuneReady, text::fortuneQuestion, text::txtOutputCaption,
         fieldText(state.judgementBuffer)},
        {state.hexagramReady, text::hexagramQuestion, text::txtOutputCaption,
         fieldText(state.hexagramBuffer)},
        {state.disclosureReady, text::disclosureQuestion, text::docOutputCaption,
         text::disclosureText},
    };
    for (const Ready& ready : candidates) {
        if (ready.flag == 1 && !ready.text.empty()) {
            offerOutput(state, ready.question, ready.caption, fieldText(state.outputFileName),
                        ready.text);
        }
    }
}

}  // namespace quorvel
