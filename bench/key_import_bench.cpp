// A key table of 990 keys loaded from CSV, every line checked: into a site whose key records are all
// free (990 additions, with owners), and back into the site it was exported from (nothing changes).
#include <benchmark/benchmark.h>

#include "bench/support/populated_image.h"
#include "image/orphan_sweep.h"
#include "image/slots.h"
#include "keys/key_csv.h"
#include "keys/key_table.h"
#include "reports/text_encoding.h"

namespace v5 {
namespace {

struct Site {
    Image image;
    SiteNames names;
    QByteArray table;
};

// The populated site as the export writes it, with an owner and a note for every key; `russian` saves
// it as a Russian spreadsheet does: Windows-1251, ';' between the cells.
Site exportedSite(bool russian) {
    Site site{bench::populatedImage(), {}, {}};
    // Codes of their own: a table never holds one code twice.
    for (std::size_t i = 0; i < static_cast<std::size_t>(config::kKeyCount); ++i) {
        config::Key key = config::Key::decode(site.image, i);
        const quint64 serial = 0x9E3779B97F4AULL * (i + 1);
        key.setCode({static_cast<std::uint8_t>(serial), static_cast<std::uint8_t>(serial >> 8),
                     static_cast<std::uint8_t>(serial >> 16), static_cast<std::uint8_t>(serial >> 24),
                     static_cast<std::uint8_t>(serial >> 32), static_cast<std::uint8_t>(i >> 8)});
        key.encode(site.image, i);
    }
    SlotCaptions captions;
    captions.bntSlotsUpdate(site.image);
    ClearSheet(site.image, captions);
    for (int k = 1; k <= config::kKeyCount; ++k)
        site.names.keys[k] = {QStringLiteral("Владелец %1").arg(k), QStringLiteral("кв. %1").arg(k % 97)};
    QStringList lines = keyCsvLines(site.image, keyListRecords(site.image, KeyOrder::Number), site.names);
    if (russian)
        for (QString& line : lines)
            line.replace(QLatin1Char(','), QLatin1Char(';'));
    site.table = encodeLines(lines, russian ? TextFormat::Windows1251CrLf : TextFormat::Utf8Lf);
    return site;
}

void BM_KeyImportIntoFreeRecords(benchmark::State& state) {
    const Site site = exportedSite(state.range(0) != 0);
    Image empty = site.image;
    for (std::size_t i = 0; i < static_cast<std::size_t>(config::kKeyCount); ++i)
        config::Key{}.encode(empty, i);
    for (auto _ : state) {
        Image image = empty;
        SiteNames names;
        const KeyImportPlan plan = planKeyImport(image, names, site.table);
        if (!plan.ok() || plan.count(KeyImportChange::Added) != config::kKeyCount) {
            state.SkipWithError("the table does not load");
            break;
        }
        applyKeyImport(plan, image, names);
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(BM_KeyImportIntoFreeRecords)->ArgName("cp1251")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_KeyImportUnchanged(benchmark::State& state) {
    const Site site = exportedSite(false);
    for (auto _ : state) {
        const KeyImportPlan plan = planKeyImport(site.image, site.names, site.table);
        if (plan.changesAnything()) state.SkipWithError("changes");
        benchmark::DoNotOptimize(plan.changes.data());
    }
}
BENCHMARK(BM_KeyImportUnchanged)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace v5

BENCHMARK_MAIN();
