// The fortune calendar of one person over the default hundred years (101 rows, each year's
// marks and its luck period's), and the full chart it starts from. Target: the calendar well
// under a millisecond.
#include <benchmark/benchmark.h>

#include <vector>

#include "reading/fortune_calendar.h"

namespace {

const quorvel::BirthData kBirth{1990, 5, 20, 10, quorvel::Sex::Male};

void BM_HundredYearCalendar(benchmark::State& state) {
    const quorvel::FullChart chart = *quorvel::readFullChart(kBirth);
    std::vector<quorvel::CalendarRow> rows;
    for (auto _ : state) {
        quorvel::calendarYears(chart, kBirth.year, kBirth.year + quorvel::kDefaultCalendarYears,
                               rows);
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["us_per_calendar"] =
        benchmark::Counter(static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_HundredYearCalendar);

void BM_FullChart(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(quorvel::readFullChart(kBirth));
    }
}
BENCHMARK(BM_FullChart);

}  // namespace

BENCHMARK_MAIN();
