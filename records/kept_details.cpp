#include "records/kept_details.h"

#include <algorithm>

#include "common/fixed_text.h"
#include "common/sjis_utf8.h"
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

constexpr HistoryKind kHistoryKinds[] = {
    HistoryKind::Judgement, HistoryKind::Hexagram,   HistoryKind::Avoidance,
    HistoryKind::Report,    HistoryKind::OutputFile,
};  // by ConsultationKind

// The period of the running pillar the state holds: a luck pillar, a year, month or day of the
// 運勢暦, or a pillar typed in. A report is of the whole chart.
HistoryPeriod periodOf(const ConsultationState& state, ConsultationKind kind) {
    HistoryPeriod period;
    const std::string_view pillar = fieldText(state.runningPillarText);
    if (kind == ConsultationKind::Report || pillar.empty()) {
        return period;
    }
    period.pillar = std::string(pillar);
    if (state.luckPeriodFlag == 1) {
        period.source = PeriodSource::Luck;
    } else if (state.periodYear != 0) {
        period.source = PeriodSource::Year;
        period.year = state.periodYear;
        period.month = state.periodMonth;
        period.day = state.periodDay;
    } else {
        period.source = PeriodSource::Typed;
    }
    return period;
}

}  // namespace

namespace {

bool done(platform::WindowHandle owner, StoreWrite outcome) {
    if (outcome != StoreWrite::Done) {
        tell(owner, storeWriteMessage(outcome));
    }
    return outcome == StoreWrite::Done;
}

}  // namespace

Casebook keptCasebook(ConsultationState& state) {
    return openStore(state).casebook();
}

std::string keptNote(ConsultationState& state, std::string_view line) {
    return openStore(state).note(line);
}

std::vector<HistoryEntry> keptHistory(ConsultationState& state, std::string_view line) {
    return openStore(state).history(line);
}

bool saveKeptNote(ConsultationState& state, platform::WindowHandle owner, std::string_view line,
                  std::string_view utf8) {
    return done(owner, openStore(state).saveNote(line, utf8));
}

bool hideKeptPerson(ConsultationState& state, platform::WindowHandle owner, std::string_view line,
                    bool hidden) {
    return done(owner, openStore(state).setHidden(line, hidden));
}

bool eraseKeptPerson(ConsultationState& state, platform::WindowHandle owner,
                     std::string_view line) {
    return done(owner, openStore(state).erase(line));
}

bool correctKeptPerson(ConsultationState& state, platform::WindowHandle owner,
                       std::string_view oldLine, const BirthRecord& corrected) {
    char line[kRecordLineSize];
    formatRecordLine(corrected, line);
    const std::string_view newLine = personKey(fieldText(line));
    const std::string_view oldKey = personKey(oldLine);
    QuorvelStore store = openStore(state);
    const BirthDetails details{corrected.place};
    if (newLine == oldKey) {
        if (store.birthDetails(oldKey).value_or(BirthDetails{}) == details) {
            tell(owner, text::correctionUnchangedMessage);
            return false;
        }
        return done(owner,
                    store.saveBirthDetails(oldKey, details) ? StoreWrite::Done : store.lastWrite());
    }
    const std::optional<CasebookLine> kept = store.casebookLine(newLine);
    const std::optional<CasebookLine> old = store.casebookLine(oldKey);
    if (kept && (!old || kept->person != old->person)) {
        tell(owner, text::correctionJoinsOtherMessage);
        return false;
    }
    if (!writable(store)) {
        return false;  // told at the opening
    }
    if (appendRecordLine(kRecordFileName.data(), corrected) == AppendResult::Failed) {
        tell(owner, text::appendFailedMessage);
        return false;
    }
    const StoreWrite outcome = store.supersede(oldKey, newLine, details);
    if (outcome != StoreWrite::Done) {
        tell(owner, text::correctionUnkeptMessage);
        return done(owner, outcome);
    }
    return true;
}

void keepConsultation(ConsultationState& state, const BirthRecord& person, ConsultationKind kind,
                      std::string_view sjisText, std::string_view sjisFileName) {
    QuorvelStore store = openStore(state);
    if (!writable(store)) {
        return;  // told at the opening
    }
    HistoryEntry entry;
    entry.when = historyTimeNow();
    entry.kind = kHistoryKinds[static_cast<std::size_t>(kind)];
    entry.period = periodOf(state, kind);
    entry.file = sjisToUtf8(sjisFileName);
    entry.text = std::string(sjisText);
    char line[kRecordLineSize];
    formatRecordLine(person, line);
    const StoreWrite done = store.addHistory(fieldText(line), entry);
    if (done != StoreWrite::Done) {
        tell(state.mainWindow, storeWriteMessage(done));
    }
}

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
    // One read for the whole list: a query a person would keep 100,000 persons waiting.
    const std::vector<std::pair<std::string, BirthDetails>> kept =
        openStore(state).allBirthDetails();
    if (kept.empty()) {
        return places;
    }
    const auto firstFrom = [&kept](std::string_view k) {
        return std::lower_bound(
            kept.begin(), kept.end(), k,
            [](const auto& entry, std::string_view v) { return entry.first < v; });
    };
    std::string namePrefix;
    for (std::size_t i = 0; i < persons.size(); ++i) {
        // Every key starts with the name and a comma: most persons are passed over unwritten.
        namePrefix.assign(fieldText(persons[i].name));
        namePrefix += ',';
        const auto named = firstFrom(namePrefix);
        if (named == kept.end() || !named->first.starts_with(namePrefix)) {
            continue;
        }
        // The key is the line as this program writes it for the person.
        char line[kRecordLineSize];
        formatRecordLine(persons[i], line);
        const std::string_view key = personKey(fieldText(line));
        const auto found = firstFrom(key);
        if (found != kept.end() && found->first == key) {
            places[i] = found->second.birthplace;
        }
    }
    return places;
}

Birthplace keptBirthplace(ConsultationState& state, const BirthRecord& person) {
    char line[kRecordLineSize];
    formatRecordLine(person, line);
    const std::optional<BirthDetails> details = openStore(state).birthDetails(fieldText(line));
    return details ? details->birthplace : Birthplace{};
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
