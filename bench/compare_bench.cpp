// Timings of the comparison and the check of two configurations with everything in use.
#include <benchmark/benchmark.h>

#include "compare/configuration_check.h"
#include "compare/configuration_diff.h"
#include "bench/support/populated_image.h"

namespace v5 {
using bench::populatedImage;
namespace {

// The populated image with every byte changed: every key, loop, group, output and archive record
// differs from the original, the worst case for the list.
Image changedEverywhere() {
    Image image = populatedImage();
    for (std::size_t at = 0; at < Image::kSize; ++at)
        if (at < map::SlotTable.offset || at >= map::SlotTable.end())
            image.setByte(at, static_cast<std::uint8_t>(image.byte(at) ^ (0x5A + at % 7)));
    return image;
}

void BM_DiffOneChange(benchmark::State& state) {
    const Image a = populatedImage();
    Image b = a;
    b.setByte(map::LoopParams.at(16) + 1, 0x10);
    for (auto _ : state) {
        auto changes = compareConfigurations(a, b);
        benchmark::DoNotOptimize(changes.data());
    }
}
BENCHMARK(BM_DiffOneChange)->Unit(benchmark::kMicrosecond);

void BM_DiffEverythingChanged(benchmark::State& state) {
    const Image a = populatedImage();
    const Image b = changedEverywhere();
    std::size_t count = 0;
    for (auto _ : state) {
        auto changes = compareConfigurations(a, b);
        count = changes.size();
        benchmark::DoNotOptimize(changes.data());
    }
    state.counters["changes"] = static_cast<double>(count);
}
BENCHMARK(BM_DiffEverythingChanged)->Unit(benchmark::kMicrosecond);

void BM_DiffLines(benchmark::State& state) {
    const auto changes = compareConfigurations(populatedImage(), changedEverywhere());
    for (auto _ : state) {
        QStringList lines = differenceLines(changes);
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_DiffLines)->Unit(benchmark::kMicrosecond);

void checkBenchmark(benchmark::State& state, const Image& image) {
    std::size_t count = 0;
    for (auto _ : state) {
        auto problems = checkConfiguration(image);
        count = problems.size();
        benchmark::DoNotOptimize(problems.data());
    }
    state.counters["problems"] = static_cast<double>(count);
}

void BM_Check(benchmark::State& state) {
    checkBenchmark(state, populatedImage());
}
BENCHMARK(BM_Check)->Unit(benchmark::kMicrosecond);

void BM_CheckChanged(benchmark::State& state) {
    checkBenchmark(state, changedEverywhere());
}
BENCHMARK(BM_CheckChanged)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace v5

BENCHMARK_MAIN();
