#include "calendar/chart.h"

namespace quorvel {

namespace {

// The 子 hour of a day is fixed by the day's stem: 甲己 → 甲子, 乙庚 → 丙子, 丙辛 → 戊子,
// 丁壬 → 庚子, 戊癸 → 壬子. Indexed by stem number (癸 = 0).
constexpr CycleIndex kRatHourOfDayStem[10] = {49, 1, 13, 25, 37, 49, 1, 13, 25, 37};

// Hours pair up into the twelve double hours: 0 子, 1-2 丑, ... 21-22 亥, and 23 is the 子 hour
// of the next day's series.
constexpr int hourOffset(int hour) {
    return hour == 23 ? 12 : (hour + 1) / 2;
}

}  // namespace

CycleIndex ratHourOf(CycleIndex dayPillar) {
    return kRatHourOfDayStem[stemNumber(dayPillar)];
}

CycleIndex hourPillarOf(CycleIndex dayPillar, int hour) {
    return stepPillar(ratHourOf(dayPillar), hourOffset(hour));
}

BirthCheck checkBirth(int year, int month, int day, int hour) {
    if (!isTableYear(year)) {
        return BirthCheck::YearOutOfRange;
    }
    if (month < 1 || month > 12 || day < 1 || day > monthLength(year, month)) {
        return BirthCheck::NoSuchDate;
    }
    if (hour < 0 || hour > 23) {
        return BirthCheck::HourOutOfRange;
    }
    return BirthCheck::Ok;
}

bool computeChart(Chart& chart, Sex sex, int year, int month, int day, int hour) {
    if (!isComputableBirth(year, month, day, hour)) {
        return false;
    }
    // Only the three fields of the year's record that this birth needs are read.
    const SolarTerm term = solarTerm(year, month);

    // The year begins at 立春: January, and February before its term, belong to the year before.
    CycleIndex y = yearPillarField(year, 0);
    if (month == 1 || (month == 2 && isBeforeTerm(day, hour, solarTerm(year, 2)))) {
        y = stepPillar(y, -1);
    }

    // The month that begins at this month's term; before the term the birth is in the one before.
    CycleIndex m = stepPillar(yearPillarField(year, 1), month - 1);
    if (isBeforeTerm(day, hour, term)) {
        m = stepPillar(m, -1);
    }

    // Only the date moves the day pillar, never the hour.
    const CycleIndex d = stepPillar(yearPillarField(year, 2 + month - 1), day - 1);
    const CycleIndex h = hourPillarOf(d, hour);

    chart.yearPillar.index = y;
    chart.monthPillar.index = m;
    chart.dayPillar.index = d;
    chart.hourPillar.index = h;
    pillarText(y, chart.yearPillar.text);
    pillarText(m, chart.monthPillar.text);
    pillarText(d, chart.dayPillar.text);
    pillarText(h, chart.hourPillar.text);
    computeLuckPillars(chart, sex, year, month, day, hour, y, m, term);
    return true;
}

}  // namespace quorvel
