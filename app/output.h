#pragma once
// Writing results to files: the main window's output button and the file writer the dialogs
// share.
#include <string>
#include <string_view>

namespace quorvel {

struct ConsultationState;

// Creates the output button the first time a result exists; it then stays for the run.
void showOutputButton(ConsultationState& state);

// Command 201: asks about the text that is ready and writes it on Yes.
void runOutputCommand(ConsultationState& state);

// The name a Shift-JIS output name is created under: characters that cannot stand in a file
// name become "_" (judged by character, so a 0x5C trail byte stays), converted to UTF-8.
std::string outputPathFor(std::string_view sjisName);

// Replaces the file with exactly `text`, atomically: a new file beside it is renamed over the
// old one, so a failure never leaves a half-written file. Returns false if nothing was written.
bool writeOutputFile(std::string_view sjisFileName, std::string_view text);

// Asks `question` (Yes/No, owned by the main window) and on Yes writes `text` to the file,
// telling the user if the write failed.
void offerOutput(ConsultationState& state, std::string_view question, std::string_view caption,
                 std::string_view fileName, std::string_view text);

}  // namespace quorvel
