#include "cli/record_commands.h"

#include <string_view>

#include "cli/chart_command.h"
#include "cli/output_text.h"
#include "common/fixed_text.h"
#include "consultation/consultation_texts.h"
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

// The birthplace QUORVEL.DB beside the data file keeps for the person, unless one was given on
// the command line. A damaged database is told and the command goes on without it.
void readBirthplace(const RecordOptions& options, std::string_view key, BirthInput& birth,
                    std::FILE* err) {
    if (birth.place.known()) {
        return;
    }
    const std::string& file = options.file;
    const std::size_t slash = file.find_last_of("/\\");
    const QuorvelStore store =
        QuorvelStore::open(slash == std::string::npos ? std::string() : file.substr(0, slash));
    if (store.openStatus() == StoreOpen::SetAside || store.openStatus() == StoreOpen::Failed) {
        tell(err, store.problem(), options.sjisOutput);
    }
    if (const std::optional<BirthDetails> details = store.birthDetails(key)) {
        birth.place = details->birthplace;
    }
}

}  // namespace

int readRecordBirth(const RecordOptions& options, BirthInput& birth, std::FILE* err) {
    std::string name;
    return readRecordPerson(options, birth, name, err);
}

int readRecordPerson(const RecordOptions& options, BirthInput& birth, std::string& name,
                     std::FILE* err) {
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
    readBirthplace(options, list.persons[number - 1].key, birth, err);
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
    if (const int status = readRecordBirth(options, birth, err); status != 0) {
        return status;
    }
    ChartTexts texts = makeChartTexts(options.sjisOutput);
    texts.rules = birth.rules;
    texts.place = birth.place;
    writeChart(birth, options.json, options.full, texts, out);
    return 0;
}

}  // namespace quorvel::cli
