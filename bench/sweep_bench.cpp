// The orphan sweep that ends every pane reset, and the headless pane reset itself, on a fully
// populated image: what every pane switch pays before the pane fills itself.
#include <benchmark/benchmark.h>

#include "desktop/desktop.h"
#include "panes/install_panes.h"
#include "image/orphan_sweep.h"
#include "bench/support/populated_image.h"

namespace v5 {
namespace {

void sweepAgain(benchmark::State& state, Image image) {
    SlotCaptions captions;
    captions.bntSlotsUpdate(image);
    for (auto _ : state) {
        ClearSheet(image, captions);
        benchmark::DoNotOptimize(image.bytes().data());
    }
}

void BM_Sweep(benchmark::State& state) {
    sweepAgain(state, bench::populatedImage());
}
BENCHMARK(BM_Sweep)->Unit(benchmark::kMicrosecond);

// The same with half the rack empty, so that the sweep also blanks modules.
void BM_SweepHalfPlaced(benchmark::State& state) {
    Image image = bench::populatedImage();
    for (int s = 11; s <= kSlotCount; ++s)
        image.fill(slotEntryOffset(s), 2, 0);
    sweepAgain(state, image);
}
BENCHMARK(BM_SweepHalfPlaced)->Unit(benchmark::kMicrosecond);

// The pane reset of every pane switch with every pane installed and none shown.
void BM_PaneReset(benchmark::State& state) {
    bench::SilentPrompts prompts;
    Desktop desktop(prompts, QString());
    installPanes(desktop);
    desktop.acceptReadImage(bench::populatedImage().bytes());
    for (auto _ : state) {
        desktop.ClearDesktop();
        benchmark::DoNotOptimize(desktop.image().bytes().data());
    }
}
BENCHMARK(BM_PaneReset)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace v5

BENCHMARK_MAIN();
