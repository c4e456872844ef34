// The marks of every (day pillar, running pillar, period, sex), as the 運勢暦, the report and the
// 年運一覧 give them, against the judgement layer's tables: the ☆ only for the sex its line
// speaks to.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "calendar/calendar_tables.h"
#include "judgement/judgement_marks.h"
#include "reading/fortune_calendar.h"
#include "report/report_html.h"
#include "report/yearly_review.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::utf8;

enum Period { kYearly, kLuck };

// One period of one person as a consumer shows it.
struct Shown {
    CycleIndex day = 0;
    CycleIndex running = 0;
    Period period = kYearly;
    Sex sex = Sex::Unset;
    std::string marks;  // UTF-8, in the order shown
};

std::string text(const MarkList& list) {
    std::string out;
    for (int i = 0; i < list.count; ++i) {
        out += utf8(gradeMarkText(list.marks[i]));
    }
    return out;
}

std::string text(const PeriodMarks& m) {
    return text(m.heaven) + text(m.earth) + text(m.human);
}

// What the tables give, put together here from the tables themselves.
std::string fromTables(const Shown& s) {
    const HeavenMarks heaven = heavenMarks(stemOf(s.day), stemOf(s.running));
    std::string out = heaven.marriage == s.sex ? "☆" : "";
    if (heaven.summary) {
        out += utf8(gradeMarkText(*heaven.summary));
    }
    out += text(earthMarks(growthStage(stemOf(s.day), branchOf(s.running))));
    const PeriodFlags flags = s.period == kLuck ? PeriodFlags{1, 0} : PeriodFlags{0, 1};
    return out + text(humanMarks(branchRelation(branchOf(s.day), branchOf(s.running)), flags));
}

// Men and women born 1901-1960, kept where their luck pillars meet a day pillar in a way no one
// kept before met it: so every (day pillar, luck pillar, sex) is met, and every year pillar in each
// one's life.
std::vector<BirthData> persons() {
    std::vector<BirthData> out;
    std::set<std::tuple<CycleIndex, CycleIndex, Sex>> met;
    for (int year = 1901; year <= 1960; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= monthLength(year, month); ++day) {
                for (const Sex sex : {Sex::Male, Sex::Female}) {
                    const BirthData birth{year, month, day, 12, sex};
                    const std::optional<FullChart> full = readFullChart(birth);
                    const Chart& chart = full->chart;
                    bool adds = false;
                    for (const LuckPillar& luck : chart.luckPillars) {
                        adds |= met.insert({chart.dayPillar.index, luck.pillar.index, sex}).second;
                    }
                    if (adds) {
                        out.push_back(birth);
                    }
                }
            }
        }
    }
    return out;
}

void fromCalendar(std::span<const BirthData> births, std::vector<Shown>& shown) {
    std::vector<CalendarRow> rows;
    for (const BirthData& birth : births) {
        const FullChart full = *readFullChart(birth);
        const CycleIndex day = full.chart.dayPillar.index;
        ASSERT_EQ(calendarYears(full, birth.year, birth.year + kCalendarMaxAge, rows),
                  CalendarCheck::Ok);
        for (const CalendarRow& r : rows) {
            shown.push_back({day, r.pillar, kYearly, birth.sex, text(r.marks)});
            if (r.luck >= 0) {
                shown.push_back({day, r.luckPillar, kLuck, birth.sex, text(r.luckMarks)});
            }
        }
    }
}

void fromReview(std::span<const BirthData> births, std::vector<Shown>& shown) {
    std::vector<CycleIndex> days;
    for (const BirthData& birth : births) {
        days.push_back(readFullChart(birth)->chart.dayPillar.index);
    }
    // Every year of every life (the last born are 120 in 2080).
    for (int year = 1901; year <= 2080; ++year) {
        for (const ReviewRow& row : yearlyReview(births, year)) {
            if (row.state != ReviewState::Judged) {
                continue;
            }
            const Sex sex = births[row.person].sex;
            const CycleIndex day = days[row.person];
            shown.push_back({day, row.year.pillar, kYearly, sex, text(row.year.marks)});
            if (row.year.luck >= 0) {
                shown.push_back({day, row.year.luckPillar, kLuck, sex, text(row.year.luckMarks)});
            }
        }
    }
}

// The value of `name="..."` in the tag around `at`.
std::string attributeBefore(const std::string& html, std::size_t at, const std::string& name) {
    const std::size_t tag = html.rfind('<', at);
    const std::size_t start = html.find(name + "=\"", tag);
    if (start == std::string::npos || start > at) {
        return {};
    }
    const std::size_t value = start + name.size() + 2;
    return html.substr(value, html.find('"', value) - value);
}

void fromReport(std::span<const BirthData> births, std::vector<Shown>& shown) {
    std::map<std::string, CycleIndex> pillarOf;
    for (CycleIndex n = 1; n <= kCycleLength; ++n) {
        pillarOf[utf8(pillarTextView(n))] = n;
    }
    for (std::size_t i = 0; i < births.size(); ++i) {
        const BirthData& birth = births[i];
        const CycleIndex day = readFullChart(birth)->chart.dayPillar.index;
        // Made at 12 to 72 years of age: the years of the periods then in force cover them all.
        const ReportDate today{birth.year + 12 + static_cast<int>(i / 60 % 4) * 20, 12, 31};
        const std::optional<std::string> html = buildReport({"x", birth, today});
        ASSERT_TRUE(html.has_value());
        const std::string marksAttribute = " data-marks=\"";
        for (std::size_t at = 0; (at = html->find(marksAttribute, at)) != std::string::npos;) {
            const std::size_t value = at + marksAttribute.size();
            const std::string marks = html->substr(value, html->find('"', value) - value);
            const std::string year = attributeBefore(*html, at, "data-year");
            const std::string id = attributeBefore(*html, at, "id");
            const std::string pillar = attributeBefore(*html, at, "data-pillar");
            if (!year.empty()) {
                shown.push_back({day, yearPillarOf(std::stoi(year)), kYearly, birth.sex, marks});
            } else {
                const Period period = id == "year-judgement" ? kYearly : kLuck;
                shown.push_back({day, pillarOf.at(pillar), period, birth.sex, marks});
            }
            at = value;
        }
    }
}

TEST(MarksFollowThePerson, EveryConsumerGivesEveryPeriodTheTablesMarks) {
    const std::vector<BirthData> births = persons();
    const struct {
        const char* consumer;
        std::function<void(std::span<const BirthData>, std::vector<Shown>&)> read;
    } consumers[] = {
        {"calendar", fromCalendar},
        {"review", fromReview},
        {"report", fromReport},
    };
    for (const auto& c : consumers) {
        SCOPED_TRACE(c.consumer);
        std::vector<Shown> shown;
        c.read(births, shown);
        std::set<std::tuple<CycleIndex, CycleIndex, Period, Sex>> seen;
        int wrong = 0;
        for (const Shown& s : shown) {
            if (s.marks != fromTables(s) && ++wrong <= 5) {
                ADD_FAILURE() << "day " << s.day << " running " << s.running << " period "
                              << s.period << " sex " << static_cast<int>(s.sex) << ": " << s.marks
                              << " instead of " << fromTables(s);
            }
            seen.insert({s.day, s.running, s.period, s.sex});
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(seen.size(), 60u * 60u * 2u * 2u);
    }
}

}  // namespace
}  // namespace quorvel
