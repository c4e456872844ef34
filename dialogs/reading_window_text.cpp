#include "dialogs/reading_window_text.h"

#include <cstdio>

#include "calendar/birth_notices.h"
#include "common/fixed_text.h"
#include "consultation/consultation_texts.h"
#include "dialogs/dialog_texts.h"

namespace quorvel {

BirthData birthDataOf(const BirthRecord& person, const ChartRules& rules) {
    return {person.year, person.month,  person.day,   person.hour,
            person.sex,  person.minute, person.place, rules};
}

std::optional<FullChart> readPerson(const BirthRecord& person, const ChartRules& rules) {
    return readFullChart(birthDataOf(person, rules));
}

std::string number(int n) {
    return std::to_string(n);
}

std::string personLine(const BirthRecord& person) {
    std::string line(fieldText(person.name));
    line += "  ";
    line += person.sex == Sex::Male ? text::maleSexText : text::femaleSexText;
    line += "  " + number(person.year) + std::string(text::yearUnit) + number(person.month) +
            std::string(text::monthUnit) + number(person.day) + std::string(text::dayUnit);
    if (person.hour == kHourUnknown) {
        line += text::unknownHourCaption;
    } else {
        line += number(person.hour) + std::string(text::hourUnit);
        if (person.minute != kMinutesUnknown) {
            line += number(person.minute) + std::string(text::minuteUnit);
        }
        line += text::bornSuffix;
    }
    if (person.place.prefecture != 0) {
        line += "  ";
        line += prefectureName(person.place.prefecture);
    } else if (person.place.typed) {
        char degrees[32];
        std::snprintf(degrees, sizeof degrees, "%.2f", person.place.longitude);
        line += "  " + std::string(text::longitudeLead) + degrees + std::string(text::degreeUnit);
    }
    return line;
}

std::string readingLines(const BirthReading& reading) {
    std::string lines = rulesLine(reading.rules) + "\r\n" + timesLine(reading);
    for (int i = 0; i < reading.notices.count; ++i) {
        lines += "\r\n" + noticeText(reading.notices.items[i], reading);
    }
    return lines;
}

std::string marksCell(const MarkList& marks) {
    std::string cell;
    for (int i = 0; i < marks.count; ++i) {
        cell += gradeMarkText(marks.marks[i]);
    }
    return cell;
}

}  // namespace quorvel
