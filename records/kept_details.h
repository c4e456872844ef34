#pragma once
// What the desktop program keeps in QUORVEL.DB beside DATA.CSV: the rules in force (命式の流儀)
// and each person's birthplace. A file that cannot be used is told once a run, in a box of the
// main window, and the consultation goes on without it.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/birthplace.h"
#include "calendar/chart_rules.h"
#include "consultation/birth_record.h"
#include "consultation/consultation_state.h"
#include "records/record_file.h"
#include "store/casebook.h"

namespace quorvel {

// The saved rules into state.rules; the classic ones when none were saved.
void loadKeptRules(ConsultationState& state);

// The rules in force from now on, saved for the next run; false (after telling) when they could
// not be saved, though they are in force all the same.
bool keepRules(ConsultationState& state, const ChartRules& rules);

// The birthplace kept under each person's DATA.CSV line, in order; none where there is none.
std::vector<Birthplace> keptBirthplaces(ConsultationState& state,
                                        std::span<const BirthRecord> persons);
Birthplace keptBirthplace(ConsultationState& state, const BirthRecord& person);

// Appends the person's line to DATA.CSV, then keeps the birthplace under it: a crash between the
// two leaves the person without a birthplace, never with a wrong one. A birthplace that could
// not be kept is told.
AppendResult appendPerson(ConsultationState& state, const BirthRecord& person);

// ConsultationState::keepConsultation: one entry of the person's history (鑑定履歴), under the
// line this program writes for the person, with the period the state names. A history that
// could not be written is told; the consultation itself stands.
// The casebook of the person list (store/casebook.h), in one read; empty without a store.
Casebook keptCasebook(ConsultationState& state);
// A person's note (UTF-8) and history, newest first, by any of its DATA.CSV lines.
std::string keptNote(ConsultationState& state, std::string_view line);
std::vector<HistoryEntry> keptHistory(ConsultationState& state, std::string_view line);

// The person's note saved, hidden (非表示) or shown again, note and history erased (消去): each
// true when done; what stopped it is told in a box of `owner`.
bool saveKeptNote(ConsultationState& state, platform::WindowHandle owner, std::string_view line,
                  std::string_view utf8);
bool hideKeptPerson(ConsultationState& state, platform::WindowHandle owner, std::string_view line,
                    bool hidden);
bool eraseKeptPerson(ConsultationState& state, platform::WindowHandle owner, std::string_view line);

// 訂正: appends `corrected`'s line to DATA.CSV, then records that it corrects `oldLine` (the
// line the user saw), the birthplace going with it. In that order: a crash between the two
// leaves a new person, never a correction without its line. True when both are done; a
// correction that changes nothing, or that would join another person, is told and refused.
bool correctKeptPerson(ConsultationState& state, platform::WindowHandle owner,
                       std::string_view oldLine, const BirthRecord& corrected);

void keepConsultation(ConsultationState& state, const BirthRecord& person, ConsultationKind kind,
                      std::string_view sjisText, std::string_view sjisFileName);

}  // namespace quorvel
