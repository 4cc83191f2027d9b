// The site card of an image with everything in use and a name for every object: its HTML, and the PDF
// the command line and "Сохранить в PDF" write (layout of the document included).
#include <benchmark/benchmark.h>

#include <QDate>
#include <QGuiApplication>
#include <QTextDocument>

#include "bench/support/populated_image.h"
#include "card/card_document.h"
#include "card/site_card.h"
#include "image/records.h"

namespace v5 {
namespace {

SiteNames everyName() {
    SiteNames names;
    names.site = {QStringLiteral("Торговый центр \"Север\""), QStringLiteral("ул. Мира, 1"),
                  QStringLiteral("ООО Север"), QStringLiteral("+7 900 000-00-00"),
                  QStringLiteral("вход с торца")};
    for (int n = 1; n <= 64; ++n) {
        names.loops[n] = QStringLiteral("Шлейф помещения %1").arg(n);
        names.zones[n] = QStringLiteral("Зона %1 <этаж>").arg(n);
        names.relays[n] = QStringLiteral("Реле %1").arg(n);
    }
    for (int p = 1; p <= config::kRazdelCount; ++p)
        names.partitions[p] = QStringLiteral("Раздел %1").arg(p);
    for (int k = 1; k <= config::kKeyCount; ++k)
        names.keys[k] = {QStringLiteral("Сотрудник %1").arg(k), QStringLiteral("пропуск %1").arg(k)};
    return names;
}

QString fullCard() {
    return siteCardHtml(bench::populatedImage(), everyName(), QStringLiteral("/sites/север.v5"),
                        QDate(2026, 12, 9));
}

void BM_CardHtml(benchmark::State& state) {
    const Image image = bench::populatedImage();
    const SiteNames names = everyName();
    for (auto _ : state) {
        QString html = siteCardHtml(image, names, QStringLiteral("/sites/север.v5"), QDate(2026, 12, 9));
        benchmark::DoNotOptimize(html.data());
    }
}
BENCHMARK(BM_CardHtml)->Unit(benchmark::kMillisecond);

// What `v5ivez-cli card -o card.pdf` does after reading the files.
void BM_CardPdf(benchmark::State& state) {
    const QString html = fullCard();
    for (auto _ : state) {
        QByteArray pdf = siteCardPdf(*siteCardDocument(html));
        benchmark::DoNotOptimize(pdf.data());
    }
}
BENCHMARK(BM_CardPdf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace v5

int main(int argc, char** argv) {
    // Fonts without a display, as the command line has them.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
