// composeJudgement over all 3,600 pillar pairs.
#include <benchmark/benchmark.h>

#include "judgement/judgement.h"

namespace {

void BM_ComposeEveryPair(benchmark::State& bench) {
    static char buffer[quorvel::kJudgementBufferSize];
    for (auto _ : bench) {
        for (int base = 1; base <= 60; ++base) {
            for (int running = 1; running <= 60; ++running) {
                const quorvel::JudgementKey key{base % 10, base % 12, running % 10, running % 12};
                quorvel::composeJudgement(buffer, key, {1, 0});
                benchmark::DoNotOptimize(buffer);
            }
        }
    }
    bench.counters["ns_per_judgement"] =
        benchmark::Counter(static_cast<double>(bench.iterations()) * 3600.0,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ComposeEveryPair)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
