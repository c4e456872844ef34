#pragma once
// The three modal dialogs that judge two typed pillars, one per menu command.

namespace quorvel {

struct ConsultationState;

void runStemBranchDialog(ConsultationState& state);  // INPUTDLG, command 199
void runHexagramDialog(ConsultationState& state);    // HIDENDLG, command 300
void runAvoidanceDialog(ConsultationState& state);   // ZOUMEIDLG, command 301

}  // namespace quorvel
