#include "calendar/birth_reading.h"

#include <cmath>
#include <cstdint>

#include "calendar/birth_notices.h"
#include "calendar/chart_details.h"
#include "calendar/equation_of_time.h"

namespace quorvel {

namespace {

using Minutes = std::int64_t;  // minutes since 1970-01-01 0:00 of the same clock

// Howard Hinnant's days_from_civil: days since 1970-01-01 of a proleptic Gregorian date.
constexpr std::int64_t daysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(y - era * 400);  // [0, 399]
    const auto dayOfYear =
        static_cast<unsigned>((153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1);  // [0, 365]
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

// And back: the date of a day count.
constexpr Reading civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(z - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    const auto d = static_cast<std::int32_t>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const auto m = static_cast<std::int32_t>(mp < 10 ? mp + 3 : mp - 9);
    const auto y = static_cast<std::int32_t>(static_cast<std::int64_t>(yearOfEra) + era * 400 +
                                             (m <= 2 ? 1 : 0));
    return {y, m, d, 0, 0};
}

constexpr Minutes minutesOf(const Reading& r) {
    return daysFromCivil(r.year, r.month, r.day) * 1440 + r.hour * 60 + r.minute;
}

constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}

constexpr Reading readingOf(Minutes t) {
    const std::int64_t days = floorDiv(t, 1440);
    Reading r = civilFromDays(days);
    const auto rest = static_cast<std::int32_t>(t - days * 1440);
    r.hour = rest / 60;
    r.minute = rest % 60;
    return r;
}

// The summer time periods as clock readings: from the start Sunday 1:00 to the end Sunday 0:59.
struct SummerPeriod {
    int year, startMonth, startDay, endMonth, endDay;
};
constexpr SummerPeriod kSummerPeriods[] = {
    {1948, 5, 2, 9, 12},
    {1949, 4, 3, 9, 11},
    {1950, 5, 7, 9, 10},
    {1951, 5, 6, 9, 9},
};

// The instant of a term under the rule, as a reading of standard time.
Reading termReading(int year, int month, TermRule rule) {
    if (rule == TermRule::Exact) {
        const TermMoment t = termMoment(year, month);
        return {t.year, t.month, t.day, t.hour, t.minute};
    }
    // The tables end a year on either side: 大雪 of 1900 and 小寒 of 2101 as the counts have them.
    const SolarTerm t = year < kFirstTableYear  ? kTaisetsuOfDecember1900
                        : year > kLastTableYear ? kShokanOfJanuary2101
                                                : solarTerm(year, month);
    return {year, month, t.day, t.hour, 0};
}

constexpr void stepMonth(int& year, int& month, int by) {
    const int months = year * 12 + (month - 1) + by;
    year = months / 12;
    month = months % 12 + 1;
}

struct YearMonth {
    CycleIndex year = 0;
    CycleIndex month = 0;
    bool beforeTerm = false;
};

// The year and month pillars of a standard-time instant: the year turns at 立春, the month at
// its sectional term.
YearMonth yearAndMonth(const Reading& s, TermRule rule) {
    const Minutes t = minutesOf(s);
    YearMonth ym;
    ym.beforeTerm = t < minutesOf(termReading(s.year, s.month, rule));
    ym.year = yearPillarField(s.year, 0);
    if (s.month == 1 || (s.month == 2 && ym.beforeTerm)) {
        ym.year = stepPillar(ym.year, -1);
    }
    ym.month = stepPillar(yearPillarField(s.year, 1), s.month - 1);
    if (ym.beforeTerm) {
        ym.month = stepPillar(ym.month, -1);
    }
    return ym;
}

struct DayHour {
    CycleIndex day = 0;
    CycleIndex hour = 0;
};

// The day and hour pillars of a local reading; `clockDay` is the clock date's day pillar and
// `clockDays` its day count, from which the local date's pillar steps.
DayHour dayAndHour(const Reading& local, CycleIndex clockDay, std::int64_t clockDays,
                   DayChangeRule rule) {
    const auto shift =
        static_cast<int>(daysFromCivil(local.year, local.month, local.day) - clockDays);
    DayHour dh;
    dh.day = stepPillar(clockDay, shift);
    if (local.hour == 23 && rule == DayChangeRule::At23) {
        dh.day = stepPillar(dh.day, 1);
        dh.hour = ratHourOf(dh.day);
    } else if (local.hour == 23 && rule == DayChangeRule::At0) {
        dh.hour = ratHourOf(dh.day);
    } else {
        dh.hour = hourPillarOf(dh.day, local.hour);
    }
    return dh;
}

// Seconds the birthplace's solar time runs ahead of standard time at a standard reading.
double solarOffsetSeconds(const Reading& s, SolarTimeRule rule, double longitude) {
    double offset = (longitude - kStandardMeridian) * 240.0;  // four minutes a degree
    if (rule == SolarTimeRule::True) {
        offset += equationOfTime(s.year, s.month, s.day, s.hour, s.minute);
    }
    return offset;
}

Reading shifted(const Reading& r, double seconds) {
    // Truncated to the minute, toward the past, as every corrected time is shown.
    return readingOf(minutesOf(r) + static_cast<Minutes>(std::floor(seconds / 60.0)));
}

// The start of the month a standard instant falls in, as the rule places its term.
Minutes monthStart(const Reading& s, bool beforeTerm, TermRule rule) {
    int year = s.year;
    int month = s.month;
    if (beforeTerm) {
        stepMonth(year, month, -1);
    }
    return minutesOf(termReading(year, month, rule));
}

// Days from the birth to the term the luck counts to, in minutes: forward to the next term,
// backward to the one before.
Minutes minutesToLuckTerm(const Reading& s, bool forward, bool beforeTerm) {
    int year = s.year;
    int month = s.month;
    if (forward && !beforeTerm) {
        stepMonth(year, month, 1);
    } else if (!forward && beforeTerm) {
        stepMonth(year, month, -1);
    }
    const Minutes term = minutesOf(termReading(year, month, TermRule::Exact));
    return forward ? term - minutesOf(s) : minutesOf(s) - term;
}

void writePillar(Pillar& p, CycleIndex index) {
    p.index = index;
    pillarText(index, p.text);
}

}  // namespace

SummerTimeState summerTimeState(int year, int month, int day, int hour, int minute) {
    for (const SummerPeriod& p : kSummerPeriods) {
        if (p.year != year) {
            continue;
        }
        const Minutes t = minutesOf({year, month, day, hour, minute});
        const Minutes startDay = minutesOf({year, p.startMonth, p.startDay, 0, 0});
        const Minutes endDay = minutesOf({year, p.endMonth, p.endDay, 0, 0});
        if (t >= startDay && t < startDay + 60) {
            return SummerTimeState::Missing;
        }
        if (t >= endDay && t < endDay + 60) {
            return SummerTimeState::Doubled;
        }
        return t > startDay && t < endDay ? SummerTimeState::Inside : SummerTimeState::Outside;
    }
    return SummerTimeState::Outside;
}

double equationOfTime(int year, int month, int day, int hour, int minute) {
    constexpr int first = computed::kEquationOfTimeFirstDay;
    const std::int64_t firstDay = daysFromCivil(first / 10000, first / 100 % 100, first % 100);
    constexpr auto count =
        static_cast<std::int64_t>(sizeof computed::kEquationOfTimeTenths / sizeof(short));
    // Minutes since the first tabulated noon.
    const double since = static_cast<double>((daysFromCivil(year, month, day) - firstDay) * 1440 +
                                             hour * 60 + minute - 12 * 60);
    const auto k = static_cast<std::int64_t>(std::floor(since / 1440.0));
    if (k < 0 || k + 1 >= count) {
        return 0.0;
    }
    const double f = (since - static_cast<double>(k) * 1440.0) / 1440.0;
    const auto at = [](std::int64_t i) {
        return computed::kEquationOfTimeTenths[static_cast<std::size_t>(i)] / 10.0;
    };
    return at(k) + (at(k + 1) - at(k)) * f;
}

BirthCheck readBirth(Chart& chart, BirthReading& reading, Sex sex, const BirthTime& birth,
                     const ChartRules& rules, const Birthplace& place) {
    const bool hourKnown = birth.hourKnown();
    const BirthCheck check =
        checkBirth(birth.year, birth.month, birth.day, hourKnown ? birth.hour : 12);
    if (check != BirthCheck::Ok) {
        return check;
    }
    if (birth.minutesKnown() && (birth.minute < 0 || birth.minute > 59)) {
        return BirthCheck::HourOutOfRange;
    }
    BirthReading r;
    r.rules = rules;
    r.place = place;
    r.hourKnown = hourKnown;
    r.minutesKnown = birth.minutesKnown();
    r.clock = {birth.year, birth.month, birth.day, hourKnown ? birth.hour : 12,
               birth.minutesKnown() ? birth.minute : 0};

    // Standard time: an hour less inside summer time, where applied (never in Okinawa).
    const SummerTimeState summer = hourKnown
                                       ? summerTimeState(r.clock.year, r.clock.month, r.clock.day,
                                                         r.clock.hour, r.clock.minute)
                                       : SummerTimeState::Outside;
    const bool okinawa = place.prefecture == kOkinawa;
    const bool applySummer = rules.summerTime == SummerTimeRule::Apply && !okinawa;
    if (applySummer && summer == SummerTimeState::Missing) {
        return BirthCheck::SummerTimeGap;
    }
    const bool inSummer = summer == SummerTimeState::Inside || summer == SummerTimeState::Doubled;
    r.summerTimeApplied = applySummer && inSummer;
    r.standard = r.summerTimeApplied ? readingOf(minutesOf(r.clock) - 60) : r.clock;

    const YearMonth ym = yearAndMonth(r.standard, rules.terms);
    const bool forward = luckRunsForward(sex, ym.year);
    const Minutes sinceTerm =
        minutesOf(r.standard) - monthStart(r.standard, ym.beforeTerm, rules.terms);
    r.minutesSinceTerm = static_cast<std::int32_t>(sinceTerm > 0 ? sinceTerm : 0);

    // The day and hour from local time, stepping from the clock date's own day pillar.
    const CycleIndex clockDay =
        stepPillar(yearPillarField(birth.year, 2 + birth.month - 1), birth.day - 1);
    const std::int64_t clockDays = daysFromCivil(birth.year, birth.month, birth.day);
    r.solarApplied = hourKnown && rules.solarTime != SolarTimeRule::Clock && place.known();
    const double offset = place.known() ? solarOffsetSeconds(r.standard,
                                                             rules.solarTime == SolarTimeRule::True
                                                                 ? SolarTimeRule::True
                                                                 : SolarTimeRule::Mean,
                                                             place.longitude)
                                        : 0.0;
    r.solar = r.solarApplied ? shifted(r.standard, offset) : r.standard;
    const DayHour dh = dayAndHour(r.solar, clockDay, clockDays, rules.dayChange);

    // Notices, each where it applies.
    if (inSummer && !r.summerTimeApplied && !okinawa &&
        rules.summerTime == SummerTimeRule::Ignore) {
        const Reading standard = readingOf(minutesOf(r.clock) - 60);
        const Reading local = r.solarApplied ? shifted(standard, offset) : standard;
        const DayHour other = dayAndHour(local, clockDay, clockDays, rules.dayChange);
        if (other.hour != dh.hour || other.day != dh.day) {
            r.notices.add({NoticeKind::SummerTimeWouldChange, other.hour,
                           other.day != dh.day ? other.day : 0});
        }
    }
    if (r.summerTimeApplied && summer == SummerTimeState::Doubled) {
        r.notices.add({NoticeKind::SummerTimeDoubled});
    }
    if (rules.summerTime == SummerTimeRule::Apply && okinawa && inSummer) {
        r.notices.add({NoticeKind::SummerTimeOkinawa});
    }
    if (hourKnown && rules.solarTime != SolarTimeRule::Clock && !place.known()) {
        r.notices.add({NoticeKind::SolarTimeNoPlace});
    }
    if (hourKnown && place.known()) {
        const Reading mean = shifted(
            r.standard, solarOffsetSeconds(r.standard, SolarTimeRule::Mean, place.longitude));
        const DayHour byClock = dayAndHour(r.standard, clockDay, clockDays, rules.dayChange);
        const DayHour byMean = dayAndHour(mean, clockDay, clockDays, rules.dayChange);
        if (!r.solarApplied && byMean.hour != dh.hour) {
            r.notices.add({NoticeKind::PlaceWouldChange, byMean.hour});
        } else if (r.solarApplied && byClock.hour != dh.hour) {
            r.notices.add({NoticeKind::PlaceChanged, byClock.hour});
        }
        // Given in whole hours, the birth lies anywhere in H:00-H:59.
        if (r.solarApplied && !r.minutesKnown) {
            Reading last = r.standard;
            last.minute = 59;
            const DayHour late =
                dayAndHour(shifted(last, offset), clockDay, clockDays, rules.dayChange);
            if (late.hour != dh.hour) {
                r.notices.add({NoticeKind::MinutesInDoubt, dh.hour, late.hour});
            }
        }
    }
    if (hourKnown && r.solar.hour == 23) {
        r.notices.add({NoticeKind::Hour23});
    }

    if (!hourKnown) {
        // Year and month at noon; a term on the birth date makes the month depend on the hour.
        Reading morning = r.standard;
        morning.hour = 0;
        morning.minute = 0;
        Reading night = r.standard;
        night.hour = 23;
        night.minute = 59;
        const YearMonth early = yearAndMonth(morning, rules.terms);
        const YearMonth late = yearAndMonth(night, rules.terms);
        if (early.month != late.month) {
            r.notices.add(
                {NoticeKind::MonthDependsOnHour, early.month, late.month, early.year != late.year});
        }
    }

    // The luck start: whole days by the tables, minutes to the exact term otherwise.
    if (rules.terms == TermRule::Exact) {
        const Minutes minutes = minutesToLuckTerm(r.standard, forward, ym.beforeTerm);
        const auto months = static_cast<int>(minutes / 360);  // a day is four months
        setLuckPillars(chart, forward, months / 12, months, ym.month);
    } else {
        computeLuckPillars(chart, sex, r.standard.year, r.standard.month, r.standard.day,
                           r.standard.hour, ym.year, ym.month,
                           solarTerm(r.standard.year, r.standard.month));
    }
    writePillar(chart.yearPillar, ym.year);
    writePillar(chart.monthPillar, ym.month);
    writePillar(chart.dayPillar, hourKnown ? dh.day : clockDay);
    chart.hourKnown = hourKnown;
    if (hourKnown) {
        writePillar(chart.hourPillar, dh.hour);
    } else {
        chart.hourPillar = {};
        const std::string_view unknown = unknownHourText();
        for (std::size_t i = 0; i < unknown.size() && i + 1 < sizeof chart.hourPillar.text; ++i) {
            chart.hourPillar.text[i] = unknown[i];
        }
    }
    reading = r;
    return BirthCheck::Ok;
}

}  // namespace quorvel
