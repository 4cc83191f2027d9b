// The light fuzz session (load, sweep, report, archive, check, diff and their invariants) on a fully
// populated image, a blank one and random ones: what one execution of the light fuzz target costs
// without the sanitizers and coverage of the fuzz build.
#include <benchmark/benchmark.h>

#include <vector>

#include "fuzz/invariants/pane_session.h"
#include "bench/support/populated_image.h"

namespace v5 {
namespace {

void BM_SweepSessionPopulated(benchmark::State& state) {
    const Image image = bench::populatedImage();
    const auto& bytes = image.bytes();
    for (auto _ : state) {
        auto result = fuzz::runSweepSession(std::span(bytes.data(), bytes.size()));
        benchmark::DoNotOptimize(result.violations.data());
    }
}
BENCHMARK(BM_SweepSessionPopulated)->Unit(benchmark::kMicrosecond);

// The fixed cost of a session: most fuzz inputs are short, the rest of their image blank.
void BM_SweepSessionBlank(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes(16);
    for (auto _ : state) {
        auto result = fuzz::runSweepSession(std::span(bytes.data(), bytes.size()));
        benchmark::DoNotOptimize(result.violations.data());
    }
}
BENCHMARK(BM_SweepSessionBlank)->Unit(benchmark::kMicrosecond);

void BM_SweepSessionRandom(benchmark::State& state) {
    std::vector<std::uint8_t> bytes(32768);
    std::uint32_t x = 12345;
    std::size_t round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (auto& b : bytes) {
            x = x * 1664525u + 1013904223u;
            b = static_cast<std::uint8_t>(x >> 24);
        }
        ++round;
        state.ResumeTiming();
        auto result = fuzz::runSweepSession(std::span(bytes.data(), bytes.size()));
        benchmark::DoNotOptimize(result.violations.data());
    }
}
BENCHMARK(BM_SweepSessionRandom)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace v5

BENCHMARK_MAIN();
