#pragma once
// The shell's informational commands: 秘伝の開示, 記号の意味, the about box and help.

namespace quorvel {

struct ConsultationState;

void showDisclosure(ConsultationState& state);     // command 10
void showSymbolMeaning(ConsultationState& state);  // command 210
void runAboutBox(ConsultationState& state);        // command 310
void openHelpContents(ConsultationState& state);   // command 400

}  // namespace quorvel
