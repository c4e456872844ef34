// computeChart over every hour of every day: 1901-2000, the printed tables (876,600 charts with
// luck pillars), and 1901-2100 with the computed records after them (1,753,176 charts).
#include <benchmark/benchmark.h>

#include <vector>

#include "calendar/birth_reading.h"
#include "calendar/chart.h"

namespace {

struct Birth {
    int year, month, day, hour;
};

std::vector<Birth> everyHour(int lastYear) {
    std::vector<Birth> births;
    births.reserve(1753176);
    for (int y = quorvel::kFirstTableYear; y <= lastYear; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= quorvel::monthLength(y, m); ++d) {
                for (int h = 0; h < 24; ++h) {
                    births.push_back({y, m, d, h});
                }
            }
        }
    }
    return births;
}

void BM_ComputeChartEveryHour(benchmark::State& state) {
    const std::vector<Birth> births = everyHour(static_cast<int>(state.range(0)));
    quorvel::Chart chart;
    for (auto _ : state) {
        for (const Birth& b : births) {
            quorvel::computeChart(chart,
                                  (b.day & 1) != 0 ? quorvel::Sex::Male : quorvel::Sex::Female,
                                  b.year, b.month, b.day, b.hour);
            benchmark::DoNotOptimize(chart);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(births.size()));
    state.counters["ns_per_chart"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * static_cast<double>(births.size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
// The argument is the last year: 2000 for the printed tables, 2100 for the whole range.
BENCHMARK(BM_ComputeChartEveryHour)
    ->Arg(2000)
    ->Arg(quorvel::kLastTableYear)
    ->ArgName("to")
    ->Unit(benchmark::kMillisecond);

// The same births read with every correction at once (summer time, true solar time of a
// birthplace, the 23 o'clock day change, exact terms, minutes): the cost a practitioner's rules
// add to a chart, to hold against the one above (the target: under a microsecond more).
void BM_ReadBirthEveryCorrection(benchmark::State& state) {
    const std::vector<Birth> births = everyHour(static_cast<int>(state.range(0)));
    quorvel::ChartRules rules = quorvel::preciseRules(quorvel::DayChangeRule::At23);
    rules.solarTime = quorvel::SolarTimeRule::True;
    const quorvel::Birthplace place = quorvel::prefectureBirthplace(40);
    quorvel::Chart chart;
    quorvel::BirthReading reading;
    for (auto _ : state) {
        for (const Birth& b : births) {
            const quorvel::BirthTime time{b.year, b.month, b.day, b.hour, (b.day * 7) % 60};
            quorvel::readBirth(chart, reading,
                               (b.day & 1) != 0 ? quorvel::Sex::Male : quorvel::Sex::Female, time,
                               rules, place);
            benchmark::DoNotOptimize(chart);
            benchmark::DoNotOptimize(reading);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(births.size()));
    state.counters["ns_per_chart"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * static_cast<double>(births.size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReadBirthEveryCorrection)
    ->Arg(quorvel::kLastTableYear)
    ->ArgName("to")
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
