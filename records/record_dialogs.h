#pragma once
// The two ways to a person: typing a new one, or picking one of DATA.CSV.
#include "platform/handles.h"

namespace quorvel {

struct BirthRecord;
struct ConsultationState;

void runBirthDialog(ConsultationState& state);      // BIRTHDLG, command 200
void openDataFileDialog(ConsultationState& state);  // DATADLG, command 11 (modeless)
// Every person of DATA.CSV, a search and a yearly review; JINBUTSU, command 12 (modeless).
void openPersonListWindow(ConsultationState& state);

// The person list as a choice of the other person of a 相性 (AITE, modal to `owner`); the 相性
// window of the two opens when one is chosen.
void compareWithChosenPerson(ConsultationState& state, platform::WindowHandle owner,
                             const BirthRecord& first);

}  // namespace quorvel
