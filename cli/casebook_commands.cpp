#include "cli/casebook_commands.h"

#include <cstring>

#include "cli/birth_input.h"
#include "cli/casebook_texts.h"
#include "cli/chart_command.h"
#include "cli/output_text.h"
#include "cli/person_commands.h"
#include "common/fixed_text.h"
#include "common/sjis_utf8.h"
#include "common/typed_text.h"
#include "consultation/consultation_texts.h"
#include "records/casebook_view.h"
#include "records/person_list.h"
#include "records/record_texts.h"

namespace quorvel::cli {

namespace {

constexpr std::size_t kNameBytes = 30;  // as the birth dialog takes a name

// The data file, the store beside it and what it keeps, read once for a command.
struct CasebookRead {
    PersonList list;
    std::optional<QuorvelStore> store;
    Casebook casebook;
    CasebookView view;
    std::size_t index = 0;  // the record the command names, 0-based
};

// 0, or the exit status after telling why the record cannot be used.
int readCasebook(const RecordOptions& options, CasebookRead& read, std::FILE* err) {
    if (const int status = readPersonsOrTell(options, read.list, err); status != 0) {
        return status;
    }
    const auto number = static_cast<std::size_t>(options.number);
    if (options.number < 1 || number > read.list.persons.size()) {
        tell(err, text::badRecordMessage, options.sjisOutput);
        return 2;
    }
    read.index = number - 1;
    read.store.emplace(openStoreBeside(options, err));
    read.casebook = read.store->casebook();
    read.view = viewCasebook(read.list, read.casebook);
    return 0;
}

const std::string& keyOf(const CasebookRead& read) {
    return read.list.persons[read.index].key;
}

// 0 after a write that was made; 1 after telling why it was not.
int toldWrite(StoreWrite outcome, bool sjis, std::FILE* err) {
    if (outcome == StoreWrite::Done) {
        return 0;
    }
    tell(err, storeWriteMessage(outcome), sjis);
    return 1;
}

// The note as the output wants it: UTF-8 as kept, or Shift-JIS.
std::string noteForOutput(const std::string& note, bool sjis) {
    bool ignored = true;
    return sjis ? utf8ToSjis(note, ignored) : note;
}

std::string placeText(const Birthplace& place, bool sjis) {
    if (!place.known()) {
        return forOutput(text::noPlaceText, sjis);
    }
    if (!place.typed) {
        return forOutput(prefectureName(place.prefecture), sjis);
    }
    char degrees[32];
    std::snprintf(degrees, sizeof degrees, "%.4f", place.longitude);
    return forOutput(text::longitudeLead, sjis) + degrees + forOutput(text::longitudeTail, sjis);
}

std::string placeJson(const Birthplace& place, bool sjis) {
    std::string out = ",\"place\":";
    out += place.known() && !place.typed
               ? jsonText(forOutput(prefectureName(place.prefecture), sjis), sjis)
               : std::string("null");
    out += ",\"longitude\":";
    if (!place.known()) {
        return out + "null";
    }
    char degrees[32];
    std::snprintf(degrees, sizeof degrees, "%.4f",
                  place.typed ? place.longitude : prefectureLongitude(place.prefecture));
    return out + degrees;
}

std::string fileOrNull(const std::string& file, bool sjis) {
    return file.empty() ? "null" : jsonText(noteForOutput(file, sjis), sjis);
}

std::string historyJson(const HistoryEntry& entry, bool sjis, bool withText) {
    const std::string period = periodText(entry.period);
    std::string out = "{\"when\":" + jsonText(entry.when, sjis) +
                      ",\"kind\":" + jsonText(historyKindWord(entry.kind), sjis) + ",\"period\":" +
                      (period.empty() ? "null" : jsonText(forOutput(period, sjis), sjis)) +
                      ",\"file\":" + fileOrNull(entry.file, sjis);
    if (withText) {
        out += ",\"text\":" + jsonText(forOutput(entry.text, sjis), sjis);
    }
    return out + "}";
}

// One entry on one line: when, kind, period and file, tab-separated.
std::string historyLine(const HistoryEntry& entry, bool sjis) {
    std::string when = entry.when;
    std::replace(when.begin(), when.end(), 'T', ' ');
    return when + '\t' + forOutput(historyKindLabel(entry.kind), sjis) + '\t' +
           forOutput(periodText(entry.period), sjis) + '\t' + noteForOutput(entry.file, sjis);
}

// Each line of a text indented by two blanks.
std::string indented(const std::string& text) {
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        out += (end - start > 1 ? "  " : "") + text.substr(start, end - start);
        start = end;
    }
    if (!out.empty() && !out.ends_with('\n')) {
        out += '\n';
    }
    return out;
}

int show(const CasebookRead& read, const RecordOptions& options, OutputStream& out) {
    const bool sjis = options.sjisOutput;
    const PersonEntry& person = read.list.persons[read.index];
    const PersonStanding& standing = read.view.persons[read.index];
    const Birthplace place =
        read.store->birthDetails(person.key).value_or(BirthDetails{}).birthplace;
    const std::string note = read.store->note(person.key);
    const std::vector<HistoryEntry> history = read.store->history(person.key);
    std::string text;
    if (options.json) {
        text = "{" + recordJsonFields(read.index, person, sjis) + placeJson(place, sjis) +
               ",\"note\":" + jsonText(noteForOutput(note, sjis), sjis) +
               ",\"hidden\":" + (standing.hidden ? "true" : "false") + ",\"supersedes\":" +
               (standing.supersedes != 0 ? std::to_string(standing.supersedes) : "null");
        if (standing.supersededBy != 0) {
            text += ",\"supersededBy\":" + std::to_string(standing.supersededBy);
        }
        text += ",\"history\":[";
        for (std::size_t i = 0; i < history.size(); ++i) {
            text += (i == 0 ? "" : ",") + historyJson(history[i], sjis, false);
        }
        out.write(text + "]}\n");
        return 0;
    }
    text = recordTextLine(read.index, person, sjis) + '\n';
    text += forOutput(text::placeLabel, sjis) + placeText(place, sjis) + '\n';
    if (standing.supersededBy != 0) {
        text += supersededText(standing.supersededBy, sjis) + '\n';
    }
    if (standing.supersedes != 0) {
        text += forOutput(text::supersedesLabel, sjis) + std::to_string(standing.supersedes) + '\n';
    }
    if (standing.hidden) {
        text += forOutput(text::hiddenLabel, sjis) + '\n';
    }
    text += forOutput(text::noteLabel, sjis) + '\n' + indented(noteForOutput(note, sjis));
    text += forOutput(text::historyLabel, sjis) + '\n';
    if (history.empty()) {
        text += "  " + forOutput(text::noHistoryText, sjis) + '\n';
    }
    for (const HistoryEntry& entry : history) {
        text += "  " + historyLine(entry, sjis) + '\n';
    }
    out.write(text);
    return 0;
}

int showHistory(const CasebookRead& read, const RecordOptions& options, OutputStream& out) {
    const bool sjis = options.sjisOutput;
    std::string text;
    for (const HistoryEntry& entry : read.store->history(keyOf(read))) {
        if (options.json) {
            text += historyJson(entry, sjis, true) + '\n';
        } else {
            text += historyLine(entry, sjis) + '\n' + indented(forOutput(entry.text, sjis));
        }
    }
    out.write(text);
    return 0;
}

int note(CasebookRead& read, const PersonOptions& options, std::FILE* err) {
    const bool sjis = options.record.sjisOutput;
    const std::string& given = options.setNote ? *options.setNote : *options.appendNote;
    NoteCheck check = checkNote(given);
    if (check == NoteCheck::Ok && options.appendNote && !given.empty()) {
        // Told before the write, with the reason, rather than as a refused write.
        std::string whole = read.store->note(keyOf(read));
        check = checkNote(
            whole.append(whole.empty() || whole.ends_with('\n') ? "" : "\n").append(given));
    }
    if (check != NoteCheck::Ok) {
        tell(err, noteCheckMessage(check), sjis);
        return 2;
    }
    QuorvelStore& store = *read.store;
    const StoreWrite outcome =
        options.setNote ? store.saveNote(keyOf(read), given) : store.appendNote(keyOf(read), given);
    return toldWrite(outcome, sjis, err);
}

// The name of a corrected line: the one given, checked as the birth dialog checks it, or the
// old line's own (its first field as it stands, uncut).
bool correctedName(const PersonOptions& options, const std::string& oldKey, std::string& name,
                   std::FILE* err) {
    const bool sjis = options.record.sjisOutput;
    if (!options.name) {
        name = oldKey.substr(0, oldKey.find(','));
        return true;
    }
    bool convertible = true;
    name = utf8ToSjis(*options.name, convertible);
    std::string_view problem;
    if (!convertible) {
        problem = text::unsupportedNameCharacterMessage;
    } else if (name.size() > kNameBytes) {
        problem = text::nameTooLongMessage;
    } else if (trimSjisBlanks(name).empty()) {
        problem = text::nameMissingMessage;
    } else if (name.find_first_of(",\x7F") != std::string::npos ||
               std::any_of(name.begin(), name.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
        problem = text::badNameMessage;
    }
    if (!problem.empty()) {
        tell(err, problem, sjis);
        return false;
    }
    return true;
}

int correct(CasebookRead& read, const PersonOptions& options, OutputStream& out, std::FILE* err) {
    const bool sjis = options.record.sjisOutput;
    BirthInput birth;
    if (const InputProblem problem =
            parseTypedBirth(options.sex, options.date, options.hour, birth);
        problem != InputProblem::None) {
        tellConverted(err, problemMessage(problem, makeChartTexts(sjis)), sjis);
        return 2;
    }
    BirthInput placed;
    if (std::string problem; !applyRuleOptions(options.place, placed, problem)) {
        tell(err, problem, sjis);
        return 2;
    }
    // A superseded line is corrected as the person now stands: its current line.
    const PersonStanding& standing = read.view.persons[read.index];
    const std::size_t current = standing.supersededBy != 0
                                    ? static_cast<std::size_t>(standing.supersededBy - 1)
                                    : read.index;
    const std::string oldKey = read.list.persons[current].key;
    std::string name;
    if (!correctedName(options, oldKey, name, err)) {
        return 2;
    }
    BirthRecord record;
    std::memcpy(record.name, name.data(), std::min(name.size(), sizeof record.name - 1));
    record.sex = birth.sex;
    record.year = birth.year;
    record.month = birth.month;
    record.day = birth.day;
    record.hour = birth.hour;
    record.minute = birth.minute;
    char line[kRecordLineSize];
    formatRecordLine(record, line);
    const std::string newKey(personKey(line));

    QuorvelStore& store = *read.store;
    const bool placeGiven = !options.place.place.empty() || !options.place.longitude.empty();
    const BirthDetails details = placeGiven ? BirthDetails{placed.place}
                                            : store.birthDetails(oldKey).value_or(BirthDetails{});
    if (newKey == oldKey) {
        if (!placeGiven) {
            tell(err, text::nothingToCorrectMessage, sjis);
            return 2;
        }
        store.saveBirthDetails(oldKey, details);
        return toldWrite(store.lastWrite(), sjis, err);
    }
    const CasebookLine* kept = read.casebook.find(newKey);
    const CasebookLine* old = read.casebook.find(oldKey);
    if (kept != nullptr && (old == nullptr || kept->person != old->person)) {
        tell(err, text::otherPersonMessage, sjis);
        return 2;
    }
    // The line first, then the database: a crash between them leaves a new person without the
    // correction, never a correction without its line.
    if (appendRecordLine(options.record.file.c_str(), record) == AppendResult::Failed) {
        tell(err, text::appendFailedMessage, sjis);
        return 1;
    }
    if (const StoreWrite outcome = store.supersede(oldKey, newKey, details);
        outcome != StoreWrite::Done) {
        tell(err, text::correctionNotKeptMessage, sjis);
        toldWrite(outcome, sjis, err);
        return 1;
    }
    // The corrected person as `records --all` now lists it.
    PersonList after;
    if (readPersonList(options.record.file.c_str(), after, WhenMissing::Leave) ==
        PersonFileStatus::Read) {
        for (std::size_t i = after.persons.size(); i-- > 0;) {
            if (after.persons[i].key == newKey) {
                out.write(recordTextLine(i, after.persons[i], sjis) + '\n');
                break;
            }
        }
    }
    return 0;
}

}  // namespace

int runPersonCommand(PersonAction action, const PersonOptions& options, OutputStream& out,
                     std::FILE* err) {
    CasebookRead read;
    if (const int status = readCasebook(options.record, read, err); status != 0) {
        return status;
    }
    const bool sjis = options.record.sjisOutput;
    QuorvelStore& store = *read.store;
    switch (action) {
        case PersonAction::Show:
            return show(read, options.record, out);
        case PersonAction::History:
            return showHistory(read, options.record, out);
        case PersonAction::Note:
            return note(read, options, err);
        case PersonAction::Hide:
        case PersonAction::Unhide:
            return toldWrite(store.setHidden(keyOf(read), action == PersonAction::Hide), sjis, err);
        case PersonAction::Erase:
            return toldWrite(store.erase(keyOf(read)), sjis, err);
        case PersonAction::Correct:
            break;
    }
    return correct(read, options, out, err);
}

}  // namespace quorvel::cli
