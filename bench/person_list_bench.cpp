// The person list of a large data file: 100,000 persons read from their text, searched by part
// of a name and by a year, and reviewed for a year. Target: the list within 100 ms, a search
// within 10 ms; the review, which judges every person, within a second.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "records/person_list.h"
#include "report/yearly_review.h"

namespace {

constexpr int kPersons = 100000;

const std::string& dataText() {
    static const std::string text = [] {
        std::string t;
        for (int i = 0; i < kPersons; ++i) {
            t += "Yamada" + std::to_string(i) + (i % 2 == 0 ? ",1,0," : ",0,1,") +
                 std::to_string(1930 + i % 80) + ",3,15,10,\r\n";
        }
        return t;
    }();
    return text;
}

void BM_ListHundredThousand(benchmark::State& state) {
    quorvel::PersonList list;
    for (auto _ : state) {
        quorvel::parsePersonList(dataText(), list);
        benchmark::DoNotOptimize(list.persons.data());
    }
    state.counters["persons"] = static_cast<double>(list.persons.size());
}
BENCHMARK(BM_ListHundredThousand)->Unit(benchmark::kMillisecond);

void BM_SearchHundredThousand(benchmark::State& state, const char* word) {
    quorvel::PersonList list;
    quorvel::parsePersonList(dataText(), list);
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<std::size_t> hits = quorvel::searchPersons(list, word);
        found = hits.size();
        benchmark::DoNotOptimize(hits.data());
    }
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK_CAPTURE(BM_SearchHundredThousand, name_part, "DA123")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchHundredThousand, year, "1965")->Unit(benchmark::kMillisecond);

void BM_ReviewHundredThousand(benchmark::State& state) {
    std::vector<quorvel::BirthData> births;
    for (int i = 0; i < kPersons; ++i) {
        births.push_back({1930 + i % 80, 1 + i % 12, 1 + i % 28, i % 24,
                          i % 2 == 0 ? quorvel::Sex::Male : quorvel::Sex::Female});
    }
    for (auto _ : state) {
        const std::vector<quorvel::ReviewRow> rows = quorvel::yearlyReview(births, 2026);
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_ReviewHundredThousand)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
