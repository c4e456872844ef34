#pragma once
// The core's computations on the whole consultation record, with what the user is told.
#include <string_view>

#include "calendar/birth_time.h"
#include "calendar/birthplace.h"
#include "consultation/consultation_state.h"
#include "platform/handles.h"

namespace quorvel {

// Reads a birth of the current person (sex from `person.sex`) under the rules in force into the
// chart and its reading, and marks that a result exists. A birth that is not computable changes
// nothing and gives the reason.
BirthCheck computeChart(ConsultationState& state, const BirthTime& birth, const Birthplace& place);
// Whether the person's birth can be read under the rules in force; the state is left as it is.
BirthCheck checkPersonBirth(const ConsultationState& state, const BirthRecord& person);
// A birth in whole hours at no known place; false when it is not computable.
bool computeChart(ConsultationState& state, int year, int month, int day, int hour);

// A refusal or a failure told in an OK box of `owner`, under the default caption.
void tell(platform::WindowHandle owner, std::string_view message);

// Reads basePillarText and runningPillarText into the judgement key. Returns 1, or 0 after
// telling the user, in a box owned by `owner`, which pillar is not one of the sixty.
int parseJudgementKey(ConsultationState& state, platform::WindowHandle owner);

// Writes the judgement of the key into JudgementBuffer, for the period the flags mark.
void composeJudgement(ConsultationState& state);

// The text the main window's output button offers: one kind at a time.
enum class ReadyText { Avoidance, Fortune, Hexagram, Disclosure };

// Marks that a result exists and that it is `ready` the output button offers.
void markOutputReady(ConsultationState& state, ReadyText ready);

}  // namespace quorvel
