#include "tools/termgen/solar_terms.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>

namespace quorvel::termgen {

namespace {

// 2000-01-01 0 h JST is J2000.0 less 21 hours; the MJD of 2000-01-01.
constexpr double kJstEpochFromJ2000 = -21.0 / 24.0;
constexpr double kMjdOf2000 = 51544.0;
constexpr std::int64_t kSecondsPerDay = 86400;

// UTC, and ERFA's table of it, begins in 1960, and ERFA 2.0.0 vouches for the table up to 2026.
// Fixing the years here keeps the records from moving with the library version.
constexpr int kFirstUtcYear = 1960;
constexpr int kLastVouchedUtcYear = 2026;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Espenak and Meeus's polynomials for ΔT (NASA's Five Millennium Canon of Solar Eclipses),
// the pieces from 1900 to 2150.
double espenakMeeus(double y) {
    if (y < 1920) {
        const double t = y - 1900;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t -
               0.000197 * t * t * t * t;
    }
    if (y < 1941) {
        const double t = y - 1920;
        return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
    }
    if (y < 1961) {
        const double t = y - 1950;
        return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
    }
    if (y < 1986) {
        const double t = y - 1975;
        return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
    }
    if (y < 2005) {
        const double t = y - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t +
               0.000651814 * t * t * t * t + 0.00002373599 * t * t * t * t * t;
    }
    if (y < 2050) {
        const double t = y - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    const double u = (y - 1820) / 100;
    return -20 + 32 * u * u - 0.5628 * (2150 - y);
}

}  // namespace

double sectionalTermLongitude(int month) {
    return std::fmod(285.0 + 30.0 * (month - 1), 360.0);
}

double apparentSolarLongitude(TtDays tt) {
    // TDB differs from TT by under 2 ms, far below what the tables round to.
    double earthHelio[2][3], earthBary[2][3];
    eraEpv00(ERFA_DJ00, tt, earthHelio, earthBary);

    // The sun where it was when the light now arriving left it.
    double sun[3] = {};
    double lightTime = 0;
    for (int pass = 0; pass < 3; ++pass) {
        double h[2][3], b[2][3];
        eraEpv00(ERFA_DJ00, tt - lightTime, h, b);
        for (int k = 0; k < 3; ++k) {
            sun[k] = (b[0][k] - h[0][k]) - earthBary[0][k];
        }
        lightTime = eraPm(sun) / ERFA_DC;
    }

    // Annual aberration from the earth's barycentric velocity.
    double distance = 0, direction[3], velocity[3], apparent[3];
    eraPn(sun, &distance, direction);
    for (int k = 0; k < 3; ++k) {
        velocity[k] = earthBary[1][k] / ERFA_DC;
    }
    const double speed = eraPm(velocity);
    eraAb(direction, velocity, eraPm(earthHelio[0]), std::sqrt(1 - speed * speed), apparent);

    // Mean ecliptic and equinox of date, then nutation in longitude moves to the true equinox.
    double toEcliptic[3][3], ecliptic[3];
    eraEcm06(ERFA_DJ00, tt, toEcliptic);
    eraRxp(toEcliptic, apparent, ecliptic);
    double dpsi = 0, deps = 0;
    eraNut06a(ERFA_DJ00, tt, &dpsi, &deps);
    return eraAnp(std::atan2(ecliptic[1], ecliptic[0]) + dpsi) * ERFA_DR2D;
}

TtDays sectionalTerm(int year, int month) {
    double mjd0 = 0, mjd = 0;
    eraCal2jd(year, month, 6, &mjd0, &mjd);
    TtDays t = mjd0 + mjd - ERFA_DJ00;
    const double target = sectionalTermLongitude(month);
    // The sun's mean motion is close enough to its true one for the steps to shrink fast.
    constexpr double kDegreesPerDay = 360.0 / 365.2422;
    for (int i = 0; i < 50; ++i) {
        const double behind = eraAnpm((target - apparentSolarLongitude(t)) * ERFA_DD2R) * ERFA_DR2D;
        const double step = behind / kDegreesPerDay;
        t += step;
        if (std::fabs(step) < 1e-9) {
            break;
        }
    }
    return t;
}

double deltaT(int year, int month, int day) {
    if (year >= kFirstUtcYear && year <= kLastVouchedUtcYear) {
        double taiMinusUtc = 0;
        eraDat(year, month, day, 0.5, &taiMinusUtc);
        return 32.184 + taiMinusUtc;
    }
    return espenakMeeus(year + (month - 0.5) / 12);
}

JapanSeconds japanTime(TtDays tt) {
    int year = 0, month = 0, day = 0;
    double fraction = 0;
    eraJd2cal(ERFA_DJ00, tt, &year, &month, &day, &fraction);
    const double ut = tt - deltaT(year, month, day) / static_cast<double>(kSecondsPerDay);
    return std::llround((ut - kJstEpochFromJ2000) * static_cast<double>(kSecondsPerDay));
}

double equationOfTime(JapanSeconds t) {
    // UT from Japan time, then TT through ΔT of that date.
    const double ut = kJstEpochFromJ2000 + static_cast<double>(t) / kSecondsPerDay;
    const CivilTime c = civilTime(t);
    const double tt = ut + deltaT(c.year, c.month, c.day) / kSecondsPerDay;

    // The sun's apparent right ascension, from its apparent longitude on the true equator.
    double dpsi = 0, deps = 0;
    eraNut06a(ERFA_DJ00, tt, &dpsi, &deps);
    const double obliquity = eraObl06(ERFA_DJ00, tt) + deps;
    const double longitude = apparentSolarLongitude(tt) * ERFA_DD2R;
    const double rightAscension =
        std::atan2(std::cos(obliquity) * std::sin(longitude), std::cos(longitude));

    // The sun's Greenwich hour angle plus twelve hours is apparent solar time there; UT is the
    // mean solar time.
    const double hourAngle = eraGst06a(ERFA_DJ00, ut, ERFA_DJ00, tt) - rightAscension;
    const double utAngle = std::fmod(ut + 0.5, 1.0) * ERFA_D2PI;
    return eraAnpm(hourAngle + ERFA_DPI - utAngle) / ERFA_D2PI * kSecondsPerDay;
}

JapanSeconds roundToEvenHour(JapanSeconds t) {
    return floorDiv(t + 3600, 7200) * 7200;
}

CivilTime civilTime(JapanSeconds t) {
    const std::int64_t days = floorDiv(t, kSecondsPerDay);
    const auto second = static_cast<int>(t - days * kSecondsPerDay);
    CivilTime c;
    double fraction = 0;
    eraJd2cal(ERFA_DJM0 + kMjdOf2000, static_cast<double>(days), &c.year, &c.month, &c.day,
              &fraction);
    c.hour = second / 3600;
    c.minute = second / 60 % 60;
    c.second = second % 60;
    return c;
}

JapanSeconds japanSeconds(const CivilTime& c) {
    double mjd0 = 0, mjd = 0;
    eraCal2jd(c.year, c.month, c.day, &mjd0, &mjd);
    const auto days = static_cast<std::int64_t>(mjd - kMjdOf2000);
    return days * kSecondsPerDay + c.hour * 3600 + c.minute * 60 + c.second;
}

}  // namespace quorvel::termgen
