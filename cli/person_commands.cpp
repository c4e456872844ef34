#include "cli/person_commands.h"

#include <charconv>
#include <vector>

#include "calendar/calendar_tables.h"
#include "cli/casebook_texts.h"
#include "cli/chart_command.h"
#include "cli/cli_texts.h"
#include "cli/output_text.h"
#include "cli/reading_commands.h"
#include "common/fixed_text.h"
#include "records/casebook_view.h"
#include "records/person_list.h"
#include "records/person_window_texts.h"
#include "report/yearly_review.h"

namespace quorvel::cli {

namespace {

std::string numberOrNull(std::string_view field) {
    return field.empty() ? "null" : std::to_string(recordNumber(field));
}

// "hour" and "minute": 不明 has neither, H:MM both, any other field its plain reading alone.
std::string hourJson(std::string_view field) {
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    readHourField(field, hour, minute);
    return ",\"hour\":" + (hour == kHourUnknown ? std::string("null") : numberOrNull(field)) +
           ",\"minute\":" +
           (minute == kMinutesUnknown ? std::string("null") : std::to_string(minute));
}

// "record", "line" and "name" of a person's JSON object, without its braces.
std::string personJson(std::size_t index, const PersonEntry& person, bool sjisOutput) {
    return "\"record\":" + std::to_string(index + 1) + ",\"line\":" + std::to_string(person.line) +
           ",\"name\":" +
           jsonText(forOutput(fieldText(person.slot.nameText), sjisOutput), sjisOutput);
}

}  // namespace

int readPersonsOrTell(const RecordOptions& options, PersonList& list, std::FILE* err) {
    const PersonFileStatus status = readPersonList(options.file.c_str(), list, WhenMissing::Leave);
    if (status != PersonFileStatus::Read) {
        tell(err, personFileMessage(status), options.sjisOutput);
        return 2;
    }
    if (!list.skippedLines.empty()) {
        std::string text = forOutput(text::skippedLinesLead, options.sjisOutput) +
                           std::to_string(list.skippedLines.size()) +
                           forOutput(text::skippedLinesCount, options.sjisOutput);
        for (std::size_t i = 0; i < list.skippedLines.size(); ++i) {
            text += (i == 0 ? " " : ", ") + std::to_string(list.skippedLines[i]);
        }
        text += '\n';
        std::fwrite(text.data(), 1, text.size(), err);
    }
    return 0;
}

std::string recordJsonFields(std::size_t index, const PersonEntry& person, bool sjisOutput) {
    const std::string_view sex = fieldText(person.slot.sexText);
    return personJson(index, person, sjisOutput) +
           ",\"sex\":" + (sex.empty() ? "null" : jsonText(forOutput(sex, sjisOutput), sjisOutput)) +
           ",\"year\":" + numberOrNull(fieldText(person.slot.yearText)) +
           ",\"month\":" + numberOrNull(fieldText(person.slot.monthText)) +
           ",\"day\":" + numberOrNull(fieldText(person.slot.dayText)) +
           hourJson(fieldText(person.slot.hourText));
}

std::string recordTextLine(std::size_t index, const PersonEntry& person, bool sjisOutput) {
    return std::to_string(index + 1) + '\t' + std::to_string(person.line) + '\t' +
           forOutput(fieldText(person.slot.label), sjisOutput);
}

std::string jsonText(std::string_view text, bool sjisOutput) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (sjisOutput && isSjisLeadByte(c) && i + 1 < text.size()) {
            out += text.substr(i, 2);
            ++i;
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + '"';
}

int runAllRecordsCommand(const RecordOptions& options, OutputStream& out, std::FILE* err) {
    PersonList list;
    if (const int status = readPersonsOrTell(options, list, err); status != 0) {
        return status;
    }
    const Casebook casebook = openStoreBeside(options, err).casebook();
    const CasebookView view = viewCasebook(list, casebook);
    const bool sjis = options.sjisOutput;
    const std::string hiddenMark = '\t' + forOutput(text::hiddenLabel, sjis);
    std::string lines;
    for (std::size_t i = 0; i < list.persons.size(); ++i) {
        if (!showsPerson(view, i, options.withHidden)) {
            continue;
        }
        const PersonEntry& p = list.persons[i];
        const bool hidden = view.persons[i].hidden;
        if (!options.json) {
            lines += recordTextLine(i, p, sjis) + (hidden ? hiddenMark : "") + '\n';
        } else {
            lines +=
                "{" + recordJsonFields(i, p, sjis) +
                (options.withHidden ? (hidden ? ",\"hidden\":true" : ",\"hidden\":false") : "") +
                "}\n";
        }
        // Written in parts, so a large file never waits whole in memory twice.
        if (lines.size() > 65536) {
            out.write(lines);
            lines.clear();
        }
    }
    out.write(lines);
    return 0;
}

int runReviewCommand(const ReviewOptions& options, OutputStream& out, std::FILE* err) {
    const bool sjis = options.records.sjisOutput;
    int year = 0;
    const std::string& y = options.year;
    const auto [end, ec] = std::from_chars(y.data(), y.data() + y.size(), year);
    // The years the 年運一覧 window takes, refused with its words.
    if (y.empty() || y.size() > 4 || y[0] == '-' || y[0] == '+' || ec != std::errc() ||
        end != y.data() + y.size() || !isTableYear(year)) {
        tell(err, text::badYearMessage, sjis);
        return 2;
    }
    PersonList list;
    if (const int status = readPersonsOrTell(options.records, list, err); status != 0) {
        return status;
    }
    const Casebook casebook = openStoreBeside(options.records, err).casebook();
    const CasebookView view = viewCasebook(list, casebook);
    std::vector<BirthData> births(list.persons.size());
    for (std::size_t i = 0; i < births.size(); ++i) {
        recordBirth(list.persons[i].slot, births[i]);
    }
    const std::vector<ReviewRow> rows = yearlyReview(births, year);

    std::string lines;
    if (!options.records.json && !rows.empty()) {
        lines += forOutput(text::reviewHeading, sjis) + '\n';
    }
    for (const ReviewRow& row : rows) {
        // A corrected line or a retired person is not reviewed.
        if (!showsPerson(view, row.person, false)) {
            continue;
        }
        const PersonEntry& p = list.persons[row.person];
        const CalendarRow& r = row.year;
        const bool judged = row.state == ReviewState::Judged;
        const std::string_view reason =
            row.state == ReviewState::OutsideLife ? text::reviewOutsideLife : text::reviewRefused;
        const std::string luck = r.luck >= 0 ? forOutput(pillarTextView(r.luckPillar), sjis) : "";
        if (options.records.json) {
            lines += "{" + personJson(row.person, p, sjis) +
                     ",\"judged\":" + (judged ? "true" : "false");
            if (judged) {
                lines += std::string(",\"warned\":") + (row.warned ? "true" : "false") +
                         ",\"age\":" + std::to_string(r.age) + ",\"pillar\":" +
                         jsonText(forOutput(pillarTextView(r.pillar), sjis), sjis) +
                         ",\"marks\":" + periodMarksJson(r.marks, sjis) +
                         ",\"luck\":" + (luck.empty() ? "null" : jsonText(luck, sjis)) +
                         ",\"luckMarks\":" + periodMarksJson(r.luckMarks, sjis);
            } else {
                lines += ",\"reason\":" + jsonText(forOutput(reason, sjis), sjis);
            }
            lines += "}\n";
        } else {
            std::string line = std::to_string(row.person + 1);
            line.insert(0, line.size() < 6 ? 6 - line.size() : 0, ' ');
            line += "  " + padded(forOutput(fieldText(p.slot.nameText), sjis), 30, sjis) + "  " +
                    (row.warned ? forOutput(text::reviewWarnedMark, sjis) : std::string("  ")) +
                    "  ";
            if (judged) {
                std::string age = std::to_string(r.age);
                line += std::string(3 - std::min<std::size_t>(3, age.size()), ' ') + age + "  " +
                        forOutput(pillarTextView(r.pillar), sjis) + "  " +
                        padded(periodMarksText(r.marks, sjis), 16, sjis) + "  " +
                        (luck.empty() ? std::string(4, ' ') : luck) + "  " +
                        (luck.empty() ? std::string() : periodMarksText(r.luckMarks, sjis));
            } else {
                line += forOutput(reason, sjis);
            }
            line.erase(line.find_last_not_of(' ') + 1);
            lines += line + '\n';
        }
        if (lines.size() > 65536) {
            out.write(lines);
            lines.clear();
        }
    }
    out.write(lines);
    return 0;
}

}  // namespace quorvel::cli
