#include "calendar/chart.h"

namespace quorvel {

namespace {

// Days from the birth to the next sectional term (a forward count).
int daysToNextTerm(int year, int month, int day, bool beforeTerm, SolarTerm term) {
    if (beforeTerm) {
        return term.day - day;
    }
    const SolarTerm next = month < 12              ? solarTerm(year, month + 1)
                           : year < kLastTableYear ? solarTerm(year + 1, 1)
                                                   : kShokanOfJanuary2101;
    return monthLength(year, month) - day + next.day;
}

// Days from the previous sectional term to the birth (a backward count).
int daysSincePreviousTerm(int year, int month, int day, bool beforeTerm, SolarTerm term) {
    if (!beforeTerm) {
        return day - term.day;
    }
    if (month > 1) {
        return day + monthLength(year, month - 1) - solarTerm(year, month - 1).day;
    }
    const SolarTerm december =
        year > kFirstTableYear ? solarTerm(year - 1, 12) : kTaisetsuOfDecember1900;
    return day + 31 - december.day;
}

// Writes a small non-negative age as decimal text, at least `width` characters, right-aligned.
void formatAge(int age, int width, char (&slot)[8]) {
    char digits[4];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + age % 10);
        age /= 10;
    } while (age > 0 && count < 3);
    int pos = 0;
    for (int pad = width - count; pad > 0; --pad) {
        slot[pos++] = ' ';
    }
    while (count > 0) {
        slot[pos++] = digits[--count];
    }
    while (pos < 8) {
        slot[pos++] = '\0';
    }
}

}  // namespace

bool luckRunsForward(Sex sex, CycleIndex yearIndex) {
    const bool yangYear = isYangStem(stemNumber(yearIndex));
    return (sex == Sex::Male && yangYear) || (sex == Sex::Female && !yangYear);
}

void setLuckPillars(Chart& chart, bool forward, int startAge, int startAgeMonths,
                    CycleIndex monthIndex) {
    chart.luckForward = forward;
    chart.startAge = startAge;
    chart.startAgeMonths = startAgeMonths;
    for (int k = 0; k < kLuckPillarCount; ++k) {
        LuckPillar& luck = chart.luckPillars[k];
        luck.pillar.index = stepPillar(monthIndex, forward ? k + 1 : -(k + 1));
        pillarText(luck.pillar.index, luck.pillar.text);
        luck.fromAge = startAge + 10 * k;
        formatAge(luck.fromAge, k == 0 ? 1 : 2, luck.ageText);
    }
}

void computeLuckPillars(Chart& chart, Sex sex, int year, int month, int day, int hour,
                        CycleIndex yearIndex, CycleIndex monthIndex, SolarTerm term) {
    const bool forward = luckRunsForward(sex, yearIndex);
    const bool beforeTerm = isBeforeTerm(day, hour, term);
    const int days = forward ? daysToNextTerm(year, month, day, beforeTerm, term)
                             : daysSincePreviousTerm(year, month, day, beforeTerm, term);
    // Three days count as one year, so one day as four months.
    setLuckPillars(chart, forward, days / 3, days * 4, monthIndex);
}

}  // namespace quorvel
