#include "records/kept_details.h"

#include "common/fixed_text.h"
#include "consultation/consultation.h"
#include "records/person_append.h"
#include "records/record_texts.h"
#include "store/quorvel_store.h"

namespace quorvel {

namespace {

// QUORVEL.DB of the working folder, beside DATA.CSV. A damaged file is set aside at most once
// and is told each time; a newer or unopenable one would be met at every opening and is told once
// a run.
QuorvelStore openStore(ConsultationState& state) {
    QuorvelStore store = QuorvelStore::open({});
    const StoreOpen status = store.openStatus();
    if (status == StoreOpen::SetAside ||
        ((status == StoreOpen::Newer || status == StoreOpen::Failed) && !state.storeProblemTold)) {
        tell(state.mainWindow, store.problem());
        state.storeProblemTold = true;
    }
    return store;
}

// A store that takes writes, or that failed a write for a reason not told yet.
bool writable(const QuorvelStore& store) {
    return store.openStatus() != StoreOpen::Newer && store.openStatus() != StoreOpen::Failed;
}

}  // namespace

void loadKeptRules(ConsultationState& state) {
    const QuorvelStore store = openStore(state);
    state.rules = store.rules().value_or(kClassicRules);
}

bool keepRules(ConsultationState& state, const ChartRules& rules) {
    state.rules = rules;
    QuorvelStore store = openStore(state);
    if (store.saveRules(rules)) {
        return true;
    }
    if (writable(store)) {
        tell(state.mainWindow, text::rulesNotKeptMessage);
    }
    return false;
}

std::vector<Birthplace> keptBirthplaces(ConsultationState& state,
                                        std::span<const BirthRecord> persons) {
    std::vector<Birthplace> places(persons.size());
    if (persons.empty()) {
        return places;
    }
    const QuorvelStore store = openStore(state);
    for (std::size_t i = 0; i < persons.size(); ++i) {
        // The key is the line as this program writes it for the person.
        char line[kRecordLineSize];
        formatRecordLine(persons[i], line);
        if (const std::optional<BirthDetails> details = store.birthDetails(fieldText(line))) {
            places[i] = details->birthplace;
        }
    }
    return places;
}

Birthplace keptBirthplace(ConsultationState& state, const BirthRecord& person) {
    return keptBirthplaces(state, {&person, 1}).front();
}

AppendResult appendPerson(ConsultationState& state, const BirthRecord& person) {
    if (!person.place.known()) {
        return appendRecordLine(kRecordFileName.data(), person);  // nothing for QUORVEL.DB
    }
    QuorvelStore store = openStore(state);
    const PersonAppend done =
        appendPersonWithDetails(kRecordFileName.data(), store, person, {person.place});
    if (done.detailsLost) {
        tell(state.mainWindow, text::detailsLostMessage);
    }
    return done.line;
}

}  // namespace quorvel
