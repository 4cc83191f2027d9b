// Timings of "report.txt" and "arj.txt" for an image with everything in use, encoding included.
#include <benchmark/benchmark.h>

#include "reports/configuration_report.h"
#include "bench/support/populated_image.h"
#include "desktop/desktop.h"
#include "reports/event_archive.h"
#include "reports/report_actions.h"
#include "reports/text_encoding.h"

namespace v5 {
using bench::populatedImage;
using bench::SilentPrompts;
namespace {

void BM_Report(benchmark::State& state) {
    const Image image = populatedImage();
    for (auto _ : state) {
        QByteArray bytes = encodeLines(configurationReport(image), TextFormat::Windows1251CrLf);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_Report)->Unit(benchmark::kMicrosecond);

// What the menu item does short of the disk: pane reset, sweep, report, encoding.
void BM_ReportWithReset(benchmark::State& state) {
    SilentPrompts prompts;
    Desktop desktop(prompts, QString());
    const Image image = populatedImage();
    desktop.acceptReadImage(image.bytes());
    for (auto _ : state) {
        QByteArray bytes = encodeLines(resetAndReport(desktop), TextFormat::Windows1251CrLf);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_ReportWithReset)->Unit(benchmark::kMicrosecond);

void BM_Archive(benchmark::State& state) {
    const Image image = populatedImage();
    for (auto _ : state) {
        QByteArray bytes = encodeLines(eventArchive(image), TextFormat::Windows1251CrLf);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_Archive)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace v5

BENCHMARK_MAIN();
