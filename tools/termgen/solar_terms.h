#pragma once
// The moments of the twelve sectional terms (節), from the ERFA ephemeris, and the Japan time
// they fall on. Used by termgen at build time and by its tests; the program never links this.
#include <cstdint>

namespace quorvel::termgen {

// Terrestrial Time as days since J2000.0 (2000-01-01 12 h TT).
using TtDays = double;

// Seconds of Japan Standard Time (UTC+9) since 2000-01-01 0 h JST.
using JapanSeconds = std::int64_t;

struct CivilTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    friend bool operator==(const CivilTime&, const CivilTime&) = default;
};

// The longitude the sun reaches at month's sectional term: 小寒 285° for January, then on by 30°.
double sectionalTermLongitude(int month);

// The sun's apparent geocentric ecliptic longitude in degrees, 0 to 360, on the ecliptic and
// true equinox of date.
double apparentSolarLongitude(TtDays tt);

// The moment in the given month (1-12) at which the sun reaches that month's sectional term.
TtDays sectionalTerm(int year, int month);

// TT - UT in seconds on a date: leap seconds where ERFA vouches for them (1960-2026), else
// Espenak and Meeus's polynomials.
double deltaT(int year, int month, int day);

// Japan time of a TT moment, to the nearest second.
JapanSeconds japanTime(TtDays tt);

// The even hour nearest the moment; a moment on an odd hour rounds up, so 23 h and later is 0 h
// of the next day.
JapanSeconds roundToEvenHour(JapanSeconds t);

// The equation of time at a Japan time: apparent less mean solar time, in seconds (positive when
// the sundial runs ahead of the clock).
double equationOfTime(JapanSeconds t);

CivilTime civilTime(JapanSeconds t);
JapanSeconds japanSeconds(const CivilTime& c);

}  // namespace quorvel::termgen
