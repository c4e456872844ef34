#pragma once
// A birth read under a school's rules: the clock reading moved to standard time (summer time),
// to the birthplace's solar time, the day turned by the day-change rule, the terms placed to the
// table's hour or to the minute. The default rules give the printed tables' chart, byte for byte.
#include <cstdint>

#include "calendar/birth_time.h"
#include "calendar/birthplace.h"
#include "calendar/chart.h"
#include "calendar/chart_rules.h"

namespace quorvel {

// A wall reading to the minute (seconds are truncated everywhere).
struct Reading {
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    friend bool operator==(const Reading&, const Reading&) = default;
};

// What the chart tells beside its pillars, each only where it applies.
enum class NoticeKind : std::uint8_t {
    SummerTimeWouldChange,  // summer time ignored, but standard time gives other pillars
    SummerTimeDoubled,      // the repeated hour at a summer time's end, taken as the first
    SummerTimeOkinawa,      // summer time applied, but Okinawa did not keep it
    SolarTimeNoPlace,       // a solar time chosen, but no birthplace known
    PlaceWouldChange,       // the birthplace's mean time gives another hour pillar
    PlaceChanged,           // the solar time in force gives another hour pillar than the clock
    MinutesInDoubt,         // minutes unknown and the correction crosses an hour boundary
    Hour23,                 // a birth in the hour 23: which day-change rule is in force
    MonthDependsOnHour,     // hour unknown on a term's day: the month pillar depends on it
};

struct BirthNotice {
    NoticeKind kind{};
    CycleIndex first = 0;  // the pillars a notice names, where it names any
    CycleIndex second = 0;
    bool yearChanges = false;  // MonthDependsOnHour at 立春: the year pillar depends on it too
};

struct BirthNotices {
    static constexpr int kCapacity = 8;
    BirthNotice items[kCapacity] = {};
    int count = 0;
    void add(const BirthNotice& n) {
        if (count < kCapacity) {
            items[count++] = n;
        }
    }
};

struct BirthReading {
    ChartRules rules;
    Birthplace place;
    bool hourKnown = true;
    bool minutesKnown = false;
    Reading clock;     // as given (12:00 for an unknown hour)
    Reading standard;  // less an hour inside summer time, where applied
    Reading solar;     // the local time the day and hour pillars come from, where corrected
    bool summerTimeApplied = false;
    bool solarApplied = false;  // mean or true solar time in force (a birthplace is known)
    // From the start of the birth's month, as the term rule places it, to the standard instant.
    std::int32_t minutesSinceTerm = 0;
    BirthNotices notices;
};

// Checks the birth (the date and hour as checkBirth does, minutes 0-59, and with summer time
// applied a clock reading that never existed) and fills the chart and the reading; a refused
// birth leaves both untouched.
BirthCheck readBirth(Chart& chart, BirthReading& reading, Sex sex, const BirthTime& birth,
                     const ChartRules& rules, const Birthplace& place);

// Japan's summer time periods (clock readings, JDT), 1948-1951.
enum class SummerTimeState : std::uint8_t { Outside, Inside, Missing, Doubled };
SummerTimeState summerTimeState(int year, int month, int day, int hour, int minute);

// The equation of time (apparent less mean solar time) in seconds at a Japan time within
// 1900-12-31 .. 2101-01-01, interpolated between noons; 0 outside.
double equationOfTime(int year, int month, int day, int hour, int minute);

}  // namespace quorvel
