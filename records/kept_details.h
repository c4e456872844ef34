#pragma once
// What the desktop program keeps in QUORVEL.DB beside DATA.CSV: the rules in force (命式の流儀)
// and each person's birthplace. A file that cannot be used is told once a run, in a box of the
// main window, and the consultation goes on without it.
#include <span>
#include <vector>

#include "calendar/birthplace.h"
#include "calendar/chart_rules.h"
#include "consultation/birth_record.h"
#include "consultation/consultation_state.h"
#include "records/record_file.h"

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

}  // namespace quorvel
