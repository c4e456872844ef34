#include "reading/fortune_calendar.h"

#include "common/fixed_text.h"
#include "reading/reading_texts.h"

namespace quorvel {

namespace {

constexpr GradeMark kAllMarks[] = {GradeMark::Best,    GradeMark::GoodZero, GradeMark::GoodCircle,
                                   GradeMark::Neutral, GradeMark::Bad,      GradeMark::Worst,
                                   GradeMark::Warning, GradeMark::Marriage};

// Which mark, if any, each two-byte character is: built once from the marks' own texts.
struct MarkLookup {
    // +1, so that 0 means no mark; indexed by lead byte and trail byte.
    std::uint8_t markPlusOne[256][256] = {};
};

const MarkLookup& markLookup() {
    static const MarkLookup lookup = [] {
        MarkLookup l;
        for (const GradeMark mark : kAllMarks) {
            const std::string_view t = gradeMarkText(mark);
            l.markPlusOne[static_cast<unsigned char>(t[0])][static_cast<unsigned char>(t[1])] =
                static_cast<std::uint8_t>(static_cast<int>(mark) + 1);
        }
        return l;
    }();
    return lookup;
}

// A span's rows meet each pillar many times over: its marks are worked out once.
class MarksMemo {
  public:
    MarksMemo(CycleIndex base, PeriodFlags period) : base_(base), period_(period) {}
    const PeriodMarks& operator()(CycleIndex running) {
        if (!known_[running]) {
            marks_[running] = judgementMarks(base_, running, period_);
            known_[running] = true;
        }
        return marks_[running];
    }

  private:
    CycleIndex base_;
    PeriodFlags period_;
    PeriodMarks marks_[kCycleLength + 1];
    bool known_[kCycleLength + 1] = {};
};

JudgementKey keyOf(CycleIndex base, CycleIndex running) {
    return {stemNumber(base), branchNumber(base), stemNumber(running), branchNumber(running)};
}

bool inLife(const BirthData& birth, int year) {
    const int age = ageInYear(birth, year);
    return age >= 0 && age <= kCalendarMaxAge;
}

// Age, luck pillar and luck marks: what every row of one year shares.
CalendarRow rowOfYear(const FullChart& chart, int year, MarksMemo& luckMarks) {
    CalendarRow row;
    row.year = year;
    row.age = ageInYear(chart.birth, year);
    row.luck = luckInForce(chart.chart, row.age);
    if (row.luck >= 0) {
        row.luckPillar = chart.chart.luckPillars[row.luck].pillar.index;
        row.luckMarks = luckMarks(row.luckPillar);
    }
    return row;
}

}  // namespace

MarkList marksOf(std::string_view sjisText) {
    const MarkLookup& lookup = markLookup();
    MarkList list;
    for (std::size_t i = 0; i < sjisText.size();) {
        const auto lead = static_cast<unsigned char>(sjisText[i]);
        if (!isSjisLeadByte(lead) || i + 1 == sjisText.size()) {
            ++i;
            continue;
        }
        const int found = lookup.markPlusOne[lead][static_cast<unsigned char>(sjisText[i + 1])];
        if (found != 0 && list.count < MarkList::kCapacity) {
            list.marks[list.count++] = static_cast<GradeMark>(found - 1);
        }
        i += 2;
    }
    return list;
}

PeriodMarks judgementMarks(CycleIndex base, CycleIndex running, PeriodFlags period) {
    const JudgementParts parts = judgementParts(keyOf(base, running), period);
    PeriodMarks marks{marksOf(parts.heaven), marksOf(parts.earth), marksOf(parts.human[0])};
    // A second 人運 sentence only when both flags are set, which the calendar never does.
    const MarkList more = marksOf(parts.human[1]);
    for (int i = 0; i < more.count && marks.human.count < MarkList::kCapacity; ++i) {
        marks.human.marks[marks.human.count++] = more.marks[i];
    }
    return marks;
}

int ageInYear(const BirthData& birth, int year) {
    return year - birth.year;
}

int luckInForce(const Chart& chart, int age) {
    if (age < chart.startAge) {
        return -1;
    }
    const int k = (age - chart.startAge) / 10;
    return k < kLuckPillarCount ? k : -1;
}

CycleIndex yearPillarOf(int year) {
    return ((year - 1984) % 60 + 60) % 60 + 1;
}

CalendarCheck calendarYears(const FullChart& chart, int first, int last,
                            std::vector<CalendarRow>& rows) {
    rows.clear();
    if (first > last || !inLife(chart.birth, first) || !inLife(chart.birth, last)) {
        return CalendarCheck::OutOfRange;
    }
    rows.reserve(static_cast<std::size_t>(last - first + 1));
    const CycleIndex day = chart.chart.dayPillar.index;
    MarksMemo yearMarks(day, kCalendarPeriod);
    MarksMemo luckMarks(day, kLuckPeriod);
    for (int y = first; y <= last; ++y) {
        CalendarRow row = rowOfYear(chart, y, luckMarks);
        row.pillar = yearPillarOf(y);
        row.marks = yearMarks(row.pillar);
        rows.push_back(row);
    }
    return CalendarCheck::Ok;
}

CalendarCheck calendarMonths(const FullChart& chart, int year, std::vector<CalendarRow>& rows) {
    rows.clear();
    if (!isTableYear(year) || !inLife(chart.birth, year)) {
        return CalendarCheck::OutOfRange;
    }
    rows.reserve(12);
    const CycleIndex day = chart.chart.dayPillar.index;
    MarksMemo luckMarks(day, kLuckPeriod);
    const CalendarRow shared = rowOfYear(chart, year, luckMarks);
    for (int m = 1; m <= 12; ++m) {
        CalendarRow row = shared;
        row.month = m;
        row.pillar = stepPillar(yearPillarField(year, 1), m - 1);
        const SolarTerm term = solarTerm(year, m);
        row.termDay = term.day;
        row.termHour = term.hour;
        row.marks = judgementMarks(day, row.pillar, kCalendarPeriod);
        rows.push_back(row);
    }
    return CalendarCheck::Ok;
}

CalendarCheck calendarDays(const FullChart& chart, int year, int month,
                           std::vector<CalendarRow>& rows) {
    rows.clear();
    if (!isTableYear(year) || month < 1 || month > 12 || !inLife(chart.birth, year)) {
        return CalendarCheck::OutOfRange;
    }
    const int days = monthLength(year, month);
    rows.reserve(static_cast<std::size_t>(days));
    const CycleIndex day = chart.chart.dayPillar.index;
    const CycleIndex first = yearPillarField(year, 2 + month - 1);
    MarksMemo luckMarks(day, kLuckPeriod);
    const CalendarRow shared = rowOfYear(chart, year, luckMarks);
    for (int d = 1; d <= days; ++d) {
        CalendarRow row = shared;
        row.month = month;
        row.day = d;
        row.pillar = stepPillar(first, d - 1);
        row.marks = judgementMarks(day, row.pillar, kCalendarPeriod);
        rows.push_back(row);
    }
    return CalendarCheck::Ok;
}

std::string_view calendarCheckMessage(CalendarCheck check) {
    return check == CalendarCheck::Ok ? std::string_view() : text::calendarSpanMessage;
}

}  // namespace quorvel
