#include "cli/birth_input.h"

#include "calendar/chart.h"

namespace quorvel::cli {

namespace {

// A run of 1 to maxDigits decimal digits, the whole text.
bool parseNumber(std::string_view text, int maxDigits, int& value) {
    if (text.empty() || text.size() > static_cast<std::size_t>(maxDigits)) {
        return false;
    }
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return true;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view nextWord(std::string_view& rest) {
    std::size_t start = 0;
    while (start < rest.size() && isBlank(rest[start])) {
        ++start;
    }
    std::size_t end = start;
    while (end < rest.size() && !isBlank(rest[end])) {
        ++end;
    }
    const std::string_view word = rest.substr(start, end - start);
    rest.remove_prefix(end);
    return word;
}

}  // namespace

bool parseDate(std::string_view text, BirthInput& birth) {
    const std::size_t first = text.find('-');
    const std::size_t second = first == std::string_view::npos ? first : text.find('-', first + 1);
    if (second == std::string_view::npos) {
        return false;
    }
    return parseNumber(text.substr(0, first), 4, birth.year) &&
           parseNumber(text.substr(first + 1, second - first - 1), 2, birth.month) &&
           parseNumber(text.substr(second + 1), 2, birth.day);
}

bool parseHour(std::string_view text, BirthInput& birth) {
    birth.minute = kMinutesUnknown;
    if (text == "unknown") {
        birth.hour = kHourUnknown;
        return true;
    }
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return parseNumber(text, 2, birth.hour);
    }
    // Minutes are always two digits: 10:05, never 10:5.
    return text.size() == colon + 3 && parseNumber(text.substr(0, colon), 2, birth.hour) &&
           parseNumber(text.substr(colon + 1), 2, birth.minute);
}

bool parseSex(std::string_view text, BirthInput& birth) {
    if (text == "male") {
        birth.sex = Sex::Male;
    } else if (text == "female") {
        birth.sex = Sex::Female;
    } else {
        return false;
    }
    return true;
}

InputProblem parseBatchLine(std::string_view line, BirthInput& birth) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    std::string_view rest = line;
    const std::string_view date = nextWord(rest);
    const std::string_view hour = nextWord(rest);
    const std::string_view sex = nextWord(rest);
    if (!parseDate(date, birth) || !parseHour(hour, birth) || !nextWord(rest).empty()) {
        return InputProblem::Format;
    }
    if (!parseSex(sex, birth)) {
        return InputProblem::Sex;
    }
    return checkComputable(birth);
}

InputProblem checkComputable(const BirthInput& birth) {
    Chart chart;
    BirthReading reading;
    const Sex sex = birth.sex == Sex::Unset ? Sex::Male : birth.sex;
    switch (readBirth(chart, reading, sex, birth.time(), birth.rules, birth.place)) {
        case BirthCheck::Ok:
            return InputProblem::None;
        case BirthCheck::YearOutOfRange:
            return InputProblem::Year;
        case BirthCheck::NoSuchDate:
            return InputProblem::Date;
        case BirthCheck::HourOutOfRange:
            return InputProblem::Hour;
        case BirthCheck::SummerTimeGap:
            return InputProblem::SummerTimeGap;
    }
    return InputProblem::Format;
}

InputProblem parseTypedBirth(std::string_view sex, std::string_view date, std::string_view hour,
                             BirthInput& birth) {
    if (!parseDate(date, birth) || !parseHour(hour, birth)) {
        return InputProblem::Format;
    }
    if (!parseSex(sex, birth)) {
        return InputProblem::Sex;
    }
    return checkComputable(birth);
}

}  // namespace quorvel::cli
