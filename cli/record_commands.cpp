#include "cli/record_commands.h"

#include <string_view>

#include "cli/casebook_texts.h"
#include "cli/chart_command.h"
#include "cli/output_text.h"
#include "common/fixed_text.h"
#include "consultation/consultation_texts.h"
#include "records/casebook_view.h"
#include "records/person_list.h"
#include "records/record_texts.h"
#include "store/quorvel_store.h"

namespace quorvel::cli {

namespace {

// 0, or the exit status after telling why there is no list.
int readOrTell(const RecordOptions& options, RecordList& list, std::FILE* err) {
    // Unlike the dialog, the tool leaves a folder without a data file as it found it.
    switch (readRecordList(options.file.c_str(), list, WhenMissing::Leave)) {
        case RecordFileStatus::Read:
            return 0;
        case RecordFileStatus::Missing:
            tell(err, text::missingFileMessage, options.sjisOutput);
            return 2;
        case RecordFileStatus::Unreadable:
            break;
    }
    tell(err, text::unreadableFileMessage, options.sjisOutput);
    return 2;
}

}  // namespace

bool recordBirth(const RecordSlot& slot, BirthInput& birth) {
    const std::string_view sex = fieldText(slot.sexText);
    if (fieldText(slot.label).empty() || (sex != text::maleSexText && sex != text::femaleSexText)) {
        return false;
    }
    birth.sex = sex == text::maleSexText ? Sex::Male : Sex::Female;
    birth.year = recordNumber(fieldText(slot.yearText));
    birth.month = recordNumber(fieldText(slot.monthText));
    birth.day = recordNumber(fieldText(slot.dayText));
    readHourField(fieldText(slot.hourText), birth.hour, birth.minute);
    return true;
}

int runRecordsCommand(const RecordOptions& options, OutputStream& out, std::FILE* err) {
    static RecordList list;
    if (const int status = readOrTell(options, list, err); status != 0) {
        return status;
    }
    std::string lines;
    for (int n = 0; n < kRecordSlotCount; ++n) {
        const std::string_view label = fieldText(list.slots[n].label);
        if (!label.empty()) {
            lines += std::to_string(n + 1) + '\t' + forOutput(label, options.sjisOutput) + '\n';
        }
    }
    out.write(lines);
    return 0;
}

namespace {

// The birthplace QUORVEL.DB keeps for the person, unless one was given on the command line.
void readBirthplace(const QuorvelStore& store, std::string_view key, BirthInput& birth) {
    if (birth.place.known()) {
        return;
    }
    if (const std::optional<BirthDetails> details = store.birthDetails(key)) {
        birth.place = details->birthplace;
    }
}

}  // namespace

QuorvelStore openStoreBeside(const RecordOptions& options, std::FILE* err) {
    const std::string& file = options.file;
    const std::size_t slash = file.find_last_of("/\\");
    QuorvelStore store =
        QuorvelStore::open(slash == std::string::npos ? std::string() : file.substr(0, slash));
    if (!store.problem().empty()) {
        tell(err, store.problem(), options.sjisOutput);
    }
    return store;
}

int readRecordBirth(const RecordOptions& options, BirthInput& birth, std::FILE* err) {
    std::string name;
    RecordStanding standing;
    const int status = readRecordPerson(options, birth, name, err, &standing);
    if (status == 0 && standing.supersededBy != 0) {
        tellConverted(err, supersededText(standing.supersededBy, options.sjisOutput),
                      options.sjisOutput);
    }
    return status;
}

int readRecordPerson(const RecordOptions& options, BirthInput& birth, std::string& name,
                     std::FILE* err, RecordStanding* standing) {
    // Any record `records --all` numbers; the first ten are the dialog's ten.
    PersonList list;
    const PersonFileStatus read = readPersonList(options.file.c_str(), list, WhenMissing::Leave);
    if (read != PersonFileStatus::Read) {
        tell(err, personFileMessage(read), options.sjisOutput);
        return 2;
    }
    const auto number = static_cast<std::size_t>(options.number);
    if (options.number < 1 || number > list.persons.size() ||
        !recordBirth(list.persons[number - 1].slot, birth)) {
        tell(err, text::badRecordMessage, options.sjisOutput);
        return 2;
    }
    const QuorvelStore store = openStoreBeside(options, err);
    const std::string& key = list.persons[number - 1].key;
    readBirthplace(store, key, birth);
    if (standing != nullptr) {
        const Casebook casebook = store.casebook();
        standing->key = key;
        standing->supersededBy = viewCasebook(list, casebook).persons[number - 1].supersededBy;
    }
    if (const InputProblem problem = checkComputable(birth); problem != InputProblem::None) {
        const ChartTexts texts = makeChartTexts(options.sjisOutput);
        tellConverted(err, problemMessage(problem, texts), options.sjisOutput);
        return 2;
    }
    name = fieldText(list.persons[number - 1].slot.nameText);
    return 0;
}

int runRecordChartCommand(const RecordOptions& options, OutputStream& out, std::FILE* err) {
    BirthInput birth;
    if (std::string problem; !applyRuleOptions(options.rules, birth, problem)) {
        tell(err, problem, options.sjisOutput);
        return 2;
    }
    std::string name;
    RecordStanding standing;
    if (const int status = readRecordPerson(options, birth, name, err, &standing); status != 0) {
        return status;
    }
    ChartTexts texts = makeChartTexts(options.sjisOutput);
    texts.rules = birth.rules;
    texts.place = birth.place;
    std::string answer;
    appendChartAnswer(answer, birth, options.json, options.full, texts);
    // A corrected line is shown as it stands, saying where its correction is.
    if (standing.supersededBy != 0) {
        const std::string number = std::to_string(standing.supersededBy);
        const std::size_t end = answer.find_last_of('}');
        if (options.json && end != std::string::npos) {
            answer.insert(end, ",\"supersededBy\":" + number);
        } else if (!options.json) {
            answer += supersededText(standing.supersededBy, options.sjisOutput) + '\n';
        }
    }
    out.write(answer);
    return 0;
}

void rememberConsultation(const RecordOptions& options, std::string_view key,
                          const HistoryEntry& entry, std::FILE* err) {
    QuorvelStore store = openStoreBeside(options, err);
    if (const StoreWrite kept = store.addHistory(key, entry); kept != StoreWrite::Done) {
        tell(err, text::historyNotKeptMessage, options.sjisOutput);
        tell(err, storeWriteMessage(kept), options.sjisOutput);
    }
}

std::string supersededText(int supersededBy, bool sjisOutput) {
    return forOutput(text::supersededByLabel, sjisOutput) + std::to_string(supersededBy);
}

}  // namespace quorvel::cli
