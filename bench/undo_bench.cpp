// Undo on a fully populated image: taking a step as the window does after a command (the bytes and
// the step's name in the comparison's words), undoing and redoing it, and what 200 steps hold.
#include <benchmark/benchmark.h>

#include "bench/support/populated_image.h"
#include "desktop/undo_history.h"
#include "operations/step_label.h"

namespace v5 {
namespace {

constexpr std::size_t kTickedByte = 0x0100;

// One changed byte: recorded and named.
void BM_UndoTakeStep(benchmark::State& state) {
    Image image = bench::populatedImage();
    UndoHistory history(image);
    history.setDescribe(describeStep);
    for (auto _ : state) {
        image.setByte(kTickedByte, static_cast<std::uint8_t>(image.byte(kTickedByte) ^ 0x01));
        history.record(image);
        benchmark::DoNotOptimize(history.undoLabel());
    }
}
BENCHMARK(BM_UndoTakeStep)->Unit(benchmark::kMicrosecond);

// A whole other image read in: recorded under the read's name.
void BM_UndoTakeLoadStep(benchmark::State& state) {
    const Image populated = bench::populatedImage();
    Image other = populated;
    for (std::size_t i = 0; i < Image::kSize; ++i)
        other.setByte(i, static_cast<std::uint8_t>(i * 7 + 3));
    UndoHistory history(populated);
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        history.record(flip ? other : populated, QStringLiteral("чтение"));
    }
}
BENCHMARK(BM_UndoTakeLoadStep)->Unit(benchmark::kMicrosecond);

// Undo and redo of a named step, with the new names shown in the menu.
void BM_UndoAndRedo(benchmark::State& state) {
    Image image = bench::populatedImage();
    UndoHistory history(image);
    history.setDescribe(describeStep);
    image.setByte(kTickedByte, static_cast<std::uint8_t>(image.byte(kTickedByte) ^ 0x01));
    history.record(image);
    for (auto _ : state) {
        history.undo(image);
        benchmark::DoNotOptimize(history.redoLabel());
        history.redo(image);
        benchmark::DoNotOptimize(history.undoLabel());
    }
}
BENCHMARK(BM_UndoAndRedo)->Unit(benchmark::kMicrosecond);

// 200 steps of a few bytes each, named: the memory they hold.
void BM_UndoHistoryOf200Steps(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        Image image = bench::populatedImage();
        UndoHistory history(image);
        history.setDescribe(describeStep);
        for (std::size_t step = 0; step < 200; ++step) {
            const std::size_t at = 0x0040 + (step * 37) % 0x2F00;
            image.setByte(at, static_cast<std::uint8_t>(image.byte(at) + 1));
            image.setByte(at + 3, static_cast<std::uint8_t>(image.byte(at + 3) + 1));
            history.record(image);
            benchmark::DoNotOptimize(history.undoLabel());
        }
        bytes = history.memoryBytes();
    }
    state.counters["history_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_UndoHistoryOf200Steps)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace v5

BENCHMARK_MAIN();
