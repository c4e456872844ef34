#include "consultation/offer_output.h"

#include "consultation/consultation_state.h"
#include "consultation/consultation_texts.h"
#include "consultation/output_file.h"
#include "platform/ui.h"

namespace quorvel {

bool offerOutput(ConsultationState& state, std::string_view question, std::string_view caption,
                 std::string_view fileName, std::string_view text) {
    if (platform::messageBox(state.mainWindow, question, caption,
                             platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes) {
        return false;
    }
    if (!writeOutputFile(fileName, text)) {
        platform::messageBox(state.mainWindow, text::outputFailedMessage, caption,
                             platform::MessageButtons::Ok);
        return false;
    }
    return true;
}

}  // namespace quorvel
