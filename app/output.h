#pragma once
// The main window's output button: it writes whichever result is ready.

namespace quorvel {

struct ConsultationState;

// Creates the output button the first time a result exists; it then stays for the run.
void showOutputButton(ConsultationState& state);

// Command 201: asks about the text that is ready and writes it on Yes.
void runOutputCommand(ConsultationState& state);

}  // namespace quorvel
