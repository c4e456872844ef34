#pragma once
#include <string_view>

namespace quorvel {

struct ConsultationState;

// Asks `question` (Yes/No, owned by the main window) and on Yes writes `text` to the file,
// telling the user if the write failed. True when the file was written.
bool offerOutput(ConsultationState& state, std::string_view question, std::string_view caption,
                 std::string_view fileName, std::string_view text);

}  // namespace quorvel
