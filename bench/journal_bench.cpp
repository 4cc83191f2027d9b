// Timings of the event journal on a full archive (1 280 records) with every name given: building the
// rows, each filter, and what one keystroke in the window's search box costs, painting included.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "bench/support/populated_image.h"
#include "journal/journal_filter.h"
#include "journal/journal_model.h"
#include "window/journal_window.h"

namespace v5 {
namespace {

SiteNames everyName() {
    SiteNames names;
    for (int n = 1; n <= 64; ++n) {
        names.loops[n] = QStringLiteral("Шлейф у двери, этаж %1").arg(n);
        names.zones[n] = QStringLiteral("Зона \"%1\"").arg(n);
    }
    for (int k = 1; k <= 990; ++k)
        names.keys[k] = KeyName{QStringLiteral("Владелец ключа %1").arg(k), QString()};
    return names;
}

void BM_BuildJournal(benchmark::State& state) {
    const Image image = bench::populatedImage();
    const SiteNames names = everyName();
    for (auto _ : state) {
        std::vector<JournalRow> rows = buildJournal(image, names);
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_BuildJournal)->Unit(benchmark::kMillisecond);

struct FilterCase {
    const char* label;
    JournalFilter filter;
};
FilterCase filterCase(const char* label, void (*change)(JournalFilter&)) {
    FilterCase c{label, {}};
    change(c.filter);
    return c;
}
const FilterCase kFilters[] = {
    filterCase("kinds", [](JournalFilter& f) { f.kinds = kindBit(EventKind::Alarm) | kindBit(EventKind::Fire); }),
    filterCase("key", [](JournalFilter& f) { f.key = 17; }),
    filterCase("loop", [](JournalFilter& f) { f.loop = 33; }),
    filterCase("zone", [](JournalFilter& f) { f.zone = 12; }),
    // A text found in no row reads every column of every row.
    filterCase("text", [](JournalFilter& f) { f.text = QStringLiteral("нет такого"); }),
    filterCase("all", [](JournalFilter& f) {
        f.kinds = kAllEventKinds & ~kindBit(EventKind::Power);
        f.zone = 12;
        f.text = QStringLiteral("этаж 3");
    }),
};

void BM_SelectRows(benchmark::State& state, const JournalFilter& filter) {
    const std::vector<JournalRow> rows = buildJournal(bench::populatedImage(), everyName());
    for (auto _ : state) {
        auto shown = selectRows(rows, filter, JournalOrder::NewestFirst);
        benchmark::DoNotOptimize(shown.data());
    }
}

// The table's proxy: a filter applied and taken back again, newest first.
void BM_ProxyFilter(benchmark::State& state, const JournalFilter& filter) {
    JournalModel model;
    JournalProxy proxy;
    proxy.setJournal(&model);
    proxy.setOrder(JournalOrder::NewestFirst);
    model.setRows(buildJournal(bench::populatedImage(), everyName()));
    for (auto _ : state) {
        proxy.setFilter(filter);
        benchmark::DoNotOptimize(proxy.rowCount());
        proxy.setFilter(JournalFilter());
    }
    state.SetLabel("two filters a pass");
}

// One character typed into the search box of the shown window, and taken back with Backspace: the
// filter, the count and the table's repaint.
void BM_SearchKeystroke(benchmark::State& state) {
    bench::SilentPrompts prompts;
    JournalWindow window(prompts, QString());
    window.follow(bench::populatedImage(), everyName());
    window.show();
    QApplication::processEvents();
    auto* search = window.findChild<QLineEdit*>(QStringLiteral("edSearch"));
    QTest::keyClicks(search, QStringLiteral("2"));
    for (auto _ : state) {
        QTest::keyClick(search, Qt::Key_1);
        QApplication::processEvents();
        QTest::keyClick(search, Qt::Key_Backspace);
        QApplication::processEvents();
    }
    state.SetLabel("two keystrokes a pass");
}

}  // namespace
}  // namespace v5

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (const v5::FilterCase& c : v5::kFilters) {
        benchmark::RegisterBenchmark((std::string("BM_SelectRows/") + c.label).c_str(), v5::BM_SelectRows, c.filter)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("BM_ProxyFilter/") + c.label).c_str(), v5::BM_ProxyFilter, c.filter)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("BM_SearchKeystroke", v5::BM_SearchKeystroke)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
