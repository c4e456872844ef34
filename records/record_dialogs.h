#pragma once
// The two ways to a person: typing a new one, or picking one of DATA.CSV.

namespace quorvel {

struct ConsultationState;

void runBirthDialog(ConsultationState& state);      // BIRTHDLG, command 200
void openDataFileDialog(ConsultationState& state);  // DATADLG, command 11 (modeless)
// Every person of DATA.CSV, a search and a yearly review; JINBUTSU, command 12 (modeless).
void openPersonListWindow(ConsultationState& state);

}  // namespace quorvel
