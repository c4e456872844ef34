// termgen: computes the calendar records that follow the printed tables.
//
//   termgen TABLES.h CHECK.h MOMENTS.h EQUATION.h
//
// TABLES.h holds the year pillar and solar term records for 2001-2100, in the printed tables'
// forms, and 小寒 of January 2101. CHECK.h holds the same computation of the solar terms for
// 1901-2000, which only the tests read, to hold it against the printed table. MOMENTS.h holds
// every sectional term of 1900-2101 to the minute, for what is shown beside a chart; the chart
// itself follows the tables. EQUATION.h holds the equation of time for every day of that span,
// for the apparent solar time of a birthplace.
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include <erfa.h>

#include "tools/termgen/solar_terms.h"

namespace {

using namespace quorvel::termgen;

constexpr int kFirstComputedYear = 2001;
constexpr int kLastComputedYear = 2100;
constexpr int kFirstPrintedYear = 1901;
constexpr int kLastPrintedYear = 2000;

[[noreturn]] void fail(const std::string& what) {
    std::cerr << "termgen: error: " << what << '\n';
    std::exit(1);
}

// Day digit and hour letter ("A" = 0 h ... "L" = 22 h) of the month's sectional term.
std::string termPair(int year, int month) {
    const CivilTime c = civilTime(roundToEvenHour(japanTime(sectionalTerm(year, month))));
    // The record holds one digit for the day, and the rounding may carry into the next day.
    // Terms fall on the 4th to 9th, except 立春, which reaches the 3rd from 2029 on; a day
    // further out would mean the solve went astray.
    if (c.year != year || c.month != month || c.day < 3 || c.day > 9) {
        fail("the term of " + std::to_string(year) + "-" + std::to_string(month) +
             " falls outside days 3-9 of its month");
    }
    return {static_cast<char>('0' + c.day), static_cast<char>('A' + c.hour / 2)};
}

std::string solarTermRecord(int year) {
    std::string record;
    for (int m = 1; m <= 12; ++m) {
        record += termPair(year, m);
    }
    return record;
}

std::string twoDigits(int n) {
    return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

// The year pillar, the 丑 month of January and the day pillar of each month's 1st.
std::string yearPillarRecord(int year) {
    // The January month by the stem number of the year: 甲己 → 乙丑, 乙庚 → 丁丑, ...
    static constexpr int kJanuaryByStem[10] = {50, 2, 14, 26, 38, 50, 2, 14, 26, 38};
    const int yearIndex = ((year - 1984) % 60 + 60) % 60 + 1;
    std::string record = twoDigits(yearIndex) + twoDigits(kJanuaryByStem[yearIndex % 10]);
    for (int m = 1; m <= 12; ++m) {
        double mjd0 = 0, mjd = 0;
        if (eraCal2jd(year, m, 1, &mjd0, &mjd) != 0) {
            fail("no such date");
        }
        // The sixty-day count runs unbroken: (JDN + 49) mod 60 + 1.
        const long julianDayNumber = std::lround(mjd0 + mjd + 0.5);
        record += twoDigits(static_cast<int>((julianDayNumber + 49) % 60 + 1));
    }
    return record;
}

// The month's term to the minute, Japan time, packed as day * 10000 + hour * 100 + minute.
std::string termMoment(int year, int month) {
    const JapanSeconds halfUp = japanTime(sectionalTerm(year, month)) + 30;
    const CivilTime c = civilTime(halfUp - (halfUp % 60 + 60) % 60);
    if (c.year != year || c.month != month || c.day < 3 || c.day > 9) {
        fail("the term of " + std::to_string(year) + "-" + std::to_string(month) +
             " falls outside days 3-9 of its month");
    }
    return std::to_string(c.day * 10000 + c.hour * 100 + c.minute);
}

std::string momentsLiteral(int first, int last) {
    std::ostringstream out;
    out << "inline constexpr int kFirstMomentYear = " << first << ";\n"
        << "inline constexpr int kLastMomentYear = " << last << ";\n"
        << "inline constexpr int kTermMoments[] = {\n";
    for (int y = first; y <= last; ++y) {
        out << "   ";
        for (int m = 1; m <= 12; ++m) {
            out << ' ' << termMoment(y, m) << ',';
        }
        out << "  // " << y << '\n';
    }
    out << "};\n";
    return out.str();
}

// The equation of time at noon Japan time of every day from 1900-12-31 to 2101-01-01, in tenths
// of a second; the program interpolates between noons.
std::string equationOfTimeLiteral() {
    const JapanSeconds first = japanSeconds({1900, 12, 31, 12, 0, 0});
    const JapanSeconds last = japanSeconds({2101, 1, 1, 12, 0, 0});
    std::ostringstream out;
    out << "inline constexpr int kEquationOfTimeFirstDay = 19001231;\n"
        << "inline constexpr short kEquationOfTimeTenths[] = {";
    int n = 0;
    for (JapanSeconds t = first; t <= last; t += 86400, ++n) {
        out << (n % 16 == 0 ? "\n   " : "") << ' ' << std::lround(equationOfTime(t) * 10) << ',';
    }
    out << "\n};\n";
    return out.str();
}

template <typename Record>
std::string literal(const char* name, int first, int last, Record record) {
    std::ostringstream out;
    out << "inline constexpr char " << name << "[] =\n";
    for (int y = first; y <= last; ++y) {
        out << "    \"" << record(y) << "\"  // " << y << '\n';
    }
    out << "    ;\n";
    return out.str();
}

void write(const std::string& path, const std::string& body) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "// Written by termgen at build time: do not edit.\n#pragma once\n\n"
        << "namespace quorvel::computed {\n\n"
        << body << "\n}  // namespace quorvel::computed\n";
    if (!out.flush()) {
        fail("cannot write " + path);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: termgen TABLES.h CHECK.h MOMENTS.h EQUATION.h\n";
        return 2;
    }
    write(
        argv[1],
        "// 2001-2100, one record per year, in the forms of the printed 1901-2000 tables.\n" +
            literal("kYearPillarRecords", kFirstComputedYear, kLastComputedYear, yearPillarRecord) +
            literal("kSolarTermRecords", kFirstComputedYear, kLastComputedYear, solarTermRecord) +
            "\n// 小寒 of January 2101, which counts from births in December 2100 reach.\n"
            "inline constexpr char kShokanOfJanuary2101[] = \"" +
            termPair(kLastComputedYear + 1, 1) + "\";\n");
    write(argv[2],
          "// The same computation for the years of the printed table, to hold against it.\n" +
              literal("kSolarTermRecords1901To2000", kFirstPrintedYear, kLastPrintedYear,
                      solarTermRecord));
    write(argv[3],
          "// Every sectional term, one row per year, January first: day * 10000 + hour * 100 +\n"
          "// minute, Japan time.\n" +
              momentsLiteral(kFirstPrintedYear - 1, kLastComputedYear + 1));
    write(argv[4], equationOfTimeLiteral());
    return 0;
}
