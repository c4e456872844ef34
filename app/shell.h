#pragma once
// The application shell: start-up, the main window and its command dispatch.

namespace quorvel {

struct ConsultationState;

// The main window's reaction to one command (from the menu or its output button); only the low
// 16 bits of the id count.
void dispatchCommand(ConsultationState& state, int commandId);

// Start-up in order, then the message loop. Returns the program's exit code.
int runApplication(ConsultationState& state, int argc, char** argv);

}  // namespace quorvel
