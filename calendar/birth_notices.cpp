#include "calendar/birth_notices.h"

#include "calendar/sexagenary.h"
#include "calendar/sexagenary_texts.h"
#include "common/fill_text.h"

namespace quorvel {

namespace {

// The template with %1 and %2 filled in.
std::string fill(std::string_view pattern, std::string_view first, std::string_view second = {}) {
    return fillText(pattern, {first, second});
}

// 9時51分 (the hour without a leading zero); 10時 for a birth given in whole hours.
std::string timeText(const Reading& r, bool withMinutes = true) {
    std::string out = std::to_string(r.hour);
    out += text::hourSuffix;
    if (withMinutes) {
        out += std::to_string(r.minute);
        out += text::minuteSuffix;
    }
    return out;
}

}  // namespace

std::string_view unknownHourText() {
    return text::unknownHour;
}
std::string_view summerTimeGapMessage() {
    return text::birthRefusedSummerGap;
}

std::string_view ruleName(SummerTimeRule rule) {
    return text::summerTimeRuleNames[static_cast<int>(rule)];
}
std::string_view ruleName(SolarTimeRule rule) {
    return text::solarTimeRuleNames[static_cast<int>(rule)];
}
std::string_view ruleName(DayChangeRule rule) {
    return text::dayChangeRuleNames[static_cast<int>(rule)];
}
std::string_view ruleName(TermRule rule) {
    return text::termRuleNames[static_cast<int>(rule)];
}

std::string_view ruleName(HiddenTable rule) {
    return text::hiddenTableNames[static_cast<int>(rule)];
}
std::string_view countTermDayName(bool countTermDay) {
    return text::countTermDayNames[countTermDay ? 1 : 0];
}

std::string_view presetName(const ChartRules& rules) {
    switch (presetOf(rules)) {
        case RulesPreset::Classic:
            return text::classicRulesName;
        case RulesPreset::Precise:
            return text::preciseRulesName;
        case RulesPreset::Custom:
            break;
    }
    return text::customRulesName;
}

std::string rulesLine(const ChartRules& rules) {
    std::string out(text::rulesLineHead);
    out += presetName(rules);
    out += '(';
    out += ruleName(rules.summerTime);
    out += text::rulesLineSeparator;
    out += ruleName(rules.solarTime);
    out += text::rulesLineSeparator;
    out += ruleName(rules.dayChange);
    out += text::rulesLineSeparator;
    out += ruleName(rules.terms);
    out += ')';
    return out;
}

std::string timesLine(const BirthReading& reading) {
    if (!reading.hourKnown) {
        return std::string(text::unknownTimeLine);
    }
    std::string out;
    if (reading.summerTimeApplied) {
        out += text::clockTimeLabel;
        out += ' ';
        out += timeText(reading.clock, reading.minutesKnown);
        out += text::timeSeparator;
    }
    out += text::standardTimeLabel;
    out += ' ';
    out += timeText(reading.standard, reading.minutesKnown);
    if (reading.solarApplied) {
        out += text::timeSeparator;
        out += reading.rules.solarTime == SolarTimeRule::True ? text::trueTimeLabel
                                                              : text::meanTimeLabel;
        out += ' ';
        out += timeText(reading.solar);
    }
    return out;
}

std::string noticeText(const BirthNotice& notice, const BirthReading& reading) {
    const std::string_view first = isCycleIndex(notice.first) ? pillarTextView(notice.first) : "";
    const std::string_view second =
        isCycleIndex(notice.second) ? pillarTextView(notice.second) : "";
    switch (notice.kind) {
        case NoticeKind::SummerTimeWouldChange:
            return notice.second != 0 ? fill(text::summerTimeWouldChangeDayNotice, first, second)
                                      : fill(text::summerTimeWouldChangeNotice, first);
        case NoticeKind::SummerTimeDoubled:
            return std::string(text::summerTimeDoubledNotice);
        case NoticeKind::SummerTimeOkinawa:
            return std::string(text::summerTimeOkinawaNotice);
        case NoticeKind::SolarTimeNoPlace:
            return std::string(text::solarTimeNoPlaceNotice);
        case NoticeKind::PlaceWouldChange:
            return fill(text::placeWouldChangeNotice, first);
        case NoticeKind::PlaceChanged:
            return fill(text::placeChangedNotice, first);
        case NoticeKind::MinutesInDoubt:
            return fill(text::minutesInDoubtNotice, first, second);
        case NoticeKind::Hour23:
            return fill(text::hour23Notice, ruleName(reading.rules.dayChange));
        case NoticeKind::MonthDependsOnHour:
            return fill(notice.yearChanges ? text::yearAndMonthDependOnHourNotice
                                           : text::monthDependsOnHourNotice,
                        first, second);
    }
    return {};
}

}  // namespace quorvel
