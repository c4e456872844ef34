#include "records/kept_details.h"

namespace quorvel {

void loadKeptRules(ConsultationState& state) {
    state.rules = kClassicRules;
}

bool keepRules(ConsultationState& state, const ChartRules& rules) {
    state.rules = rules;
    return true;
}

std::vector<Birthplace> keptBirthplaces(ConsultationState& /*state*/,
                                        std::span<const BirthRecord> persons) {
    return std::vector<Birthplace>(persons.size());
}

Birthplace keptBirthplace(ConsultationState& state, const BirthRecord& person) {
    return keptBirthplaces(state, {&person, 1}).front();
}

AppendResult appendPerson(ConsultationState& /*state*/, const BirthRecord& person) {
    return appendRecordLine(kRecordFileName.data(), person);
}

}  // namespace quorvel
