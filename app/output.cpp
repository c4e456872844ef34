#include "app/output.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "app/app_texts.h"
#include "app/consultation_state.h"
#include "app/resources/command_ids.h"
#include "common/fixed_text.h"
#include "common/sjis_utf8.h"
#include "platform/ui.h"

namespace quorvel {

namespace {

// The button's place in the main window's client area, in pixels.
constexpr int kOutputButtonX = 490;
constexpr int kOutputButtonY = 355;
constexpr int kOutputButtonWidth = 100;
constexpr int kOutputButtonHeight = 32;

bool isForbiddenInFileName(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' ||
           c == '"' || c == '<' || c == '>' || c == '|';
}

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

std::string outputPathFor(std::string_view sjisName) {
    std::string safe;
    for (std::size_t i = 0; i < sjisName.size(); ++i) {
        const auto c = static_cast<unsigned char>(sjisName[i]);
        if (isSjisLeadByte(c) && i + 1 < sjisName.size()) {
            safe += sjisName.substr(i, 2);  // a double-byte character, whatever its trail byte
            ++i;
        } else {
            safe += isForbiddenInFileName(c) ? '_' : static_cast<char>(c);
        }
    }
    if (safe == "." || safe == "..") {
        safe = "_";
    }
    return sjisToUtf8(safe);
}

bool writeOutputFile(std::string_view sjisFileName, std::string_view text) {
    namespace fs = std::filesystem;
    const fs::path target = outputPathFor(sjisFileName);
    const fs::path temporary = target.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

void offerOutput(ConsultationState& state, std::string_view question, std::string_view caption,
                 std::string_view fileName, std::string_view text) {
    if (platform::messageBox(state.mainWindow, question, caption,
                             platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes) {
        return;
    }
    if (!writeOutputFile(fileName, text)) {
        platform::messageBox(state.mainWindow, text::outputFailedMessage, caption,
                             platform::MessageButtons::Ok);
    }
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
