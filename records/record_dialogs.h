#pragma once
// The two ways to a person: typing a new one, or picking one of DATA.CSV.

namespace quorvel {

struct ConsultationState;

void runBirthDialog(ConsultationState& state);      // BIRTHDLG, command 200
void openDataFileDialog(ConsultationState& state);  // DATADLG, command 11 (modeless)

}  // namespace quorvel
