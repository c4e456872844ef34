#pragma once
// The two ways to a person: typing a new one, or picking one of DATA.CSV.
#include <string_view>

#include "platform/handles.h"

namespace quorvel {

struct BirthRecord;
struct ConsultationState;

void runBirthDialog(ConsultationState& state);      // BIRTHDLG, command 200
void openDataFileDialog(ConsultationState& state);  // DATADLG, command 11 (modeless)
// Every person of DATA.CSV, a search and a yearly review; JINBUTSU, command 12 (modeless).
void openPersonListWindow(ConsultationState& state);

// 訂正: the birth data dialog filled in with `person` (birthplace included), modal to `owner`;
// accepting appends the corrected line and records that it corrects `oldLine`. True when done.
bool correctPerson(ConsultationState& state, platform::WindowHandle owner,
                   const BirthRecord& person, std::string_view oldLine);
// The same for a person shown elsewhere (a chart panel), whose line is the one this program
// writes for it.
bool correctShownPerson(ConsultationState& state, platform::WindowHandle owner,
                        const BirthRecord& person);

// The person list as a choice of the other person of a 相性 (AITE, modal to `owner`); the 相性
// window of the two opens when one is chosen.
void compareWithChosenPerson(ConsultationState& state, platform::WindowHandle owner,
                             const BirthRecord& first);

}  // namespace quorvel
