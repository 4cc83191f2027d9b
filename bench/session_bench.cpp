// The light fuzz session (load, sweep, report, archive, check, diff and their invariants) on a fully
// populated image, a blank one and random ones: what one execution of the light fuzz target costs
// without the sanitizers and coverage of the fuzz build.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "compare/configuration_check.h"
#include "compare/configuration_diff.h"
#include "fuzz/invariants/pane_session.h"
#include "image/orphan_sweep.h"
#include "reports/configuration_report.h"
#include "reports/event_archive.h"
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

// The stages of the light session one by one, on four kinds of image: where an execution's time goes,
// and how much text each stage makes (a counter of characters or items).
enum ImageKind : std::int64_t { Random, Zeros, Populated, Erased };

Image stageImage(std::int64_t kind) {
    if (kind == Populated) return bench::populatedImage();
    Image::Bytes bytes;
    bytes.fill(kind == Erased ? 0xFF : 0x00);
    if (kind == Random) {
        std::uint32_t x = 12345;
        for (auto& b : bytes) {
            x = x * 1664525u + 1013904223u;
            b = static_cast<std::uint8_t>(x >> 24);
        }
    }
    Image image;
    image.assign(bytes);
    return image;
}

Image swept(Image image) {
    SlotCaptions captions;
    captions.bntSlotsUpdate(image);
    ClearSheet(image, captions);
    return image;
}

qsizetype characters(const QStringList& lines) {
    qsizetype count = 0;
    for (const QString& line : lines)
        count += line.size();
    return count;
}

// A stage takes the image and its swept copy and gives back how much it made.
using Stage = qsizetype (*)(const Image& start, const Image& image);

const std::pair<const char*, Stage> kStages[] = {
    {"Sweep",  // made: the bytes it erased
     [](const Image& start, const Image&) {
         const Image image = swept(start);
         qsizetype erased = 0;
         for (std::size_t at = 0; at < Image::kSize; ++at)
             erased += start.byte(at) != image.byte(at);
         return erased;
     }},
    {"Report", [](const Image&, const Image& image) { return characters(configurationReport(image)); }},
    {"Archive", [](const Image& start, const Image&) { return characters(eventArchive(start)); }},
    {"Check", [](const Image& start, const Image&) { return qsizetype(checkConfiguration(start).size()); }},
    {"CheckLines",
     [](const Image& start, const Image&) { return characters(problemLines(checkConfiguration(start))); }},
    {"Diff",
     [](const Image& start, const Image& image) {
         return qsizetype(compareConfigurations(start, image, CompareScope::ConfigurationArea).size());
     }},
    {"CheckJson", [](const Image& start,
                     const Image&) { return qsizetype(problemJson(checkConfiguration(start)).size()); }},
    {"DiffJson",
     [](const Image& start, const Image& image) {
         return qsizetype(
             differenceJson(compareConfigurations(start, image, CompareScope::ConfigurationArea)).size());
     }},
    {"DiffLines",
     [](const Image& start, const Image& image) {
         return characters(
             differenceLines(compareConfigurations(start, image, CompareScope::ConfigurationArea)));
     }},
};

void stage(benchmark::State& state, Stage run) {
    const Image start = stageImage(state.range(0));
    const Image image = swept(start);
    for (auto _ : state)
        benchmark::DoNotOptimize(run(start, image));
    state.counters["made"] = static_cast<double>(run(start, image));
}

const bool kStagesRegistered = [] {
    for (const auto& [name, run] : kStages)
        benchmark::RegisterBenchmark((std::string("BM_Stage") + name).c_str(), stage, run)
            ->Unit(benchmark::kMicrosecond)
            ->ArgName("image")
            ->Args({Random})
            ->Args({Zeros})
            ->Args({Populated})
            ->Args({Erased});
    return true;
}();

}  // namespace
}  // namespace v5

BENCHMARK_MAIN();
