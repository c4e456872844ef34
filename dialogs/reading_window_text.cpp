#include "dialogs/reading_window_text.h"

#include "common/fixed_text.h"
#include "consultation/consultation_texts.h"
#include "dialogs/dialog_texts.h"

namespace quorvel {

std::optional<FullChart> readPerson(const BirthRecord& person) {
    return readFullChart({person.year, person.month, person.day, person.hour, person.sex});
}

std::string number(int n) {
    return std::to_string(n);
}

std::string personLine(const BirthRecord& person) {
    std::string line(fieldText(person.name));
    line += "  ";
    line += person.sex == Sex::Male ? text::maleSexText : text::femaleSexText;
    line += "  " + number(person.year) + std::string(text::yearUnit) + number(person.month) +
            std::string(text::monthUnit) + number(person.day) + std::string(text::dayUnit) +
            number(person.hour) + std::string(text::hourUnit) + std::string(text::bornSuffix);
    return line;
}

std::string marksCell(const MarkList& marks) {
    std::string cell;
    for (int i = 0; i < marks.count; ++i) {
        cell += gradeMarkText(marks.marks[i]);
    }
    return cell;
}

}  // namespace quorvel
