// v5ivez-cli archive --csv: the journal's rows, filtered as the window filters them.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "files/names_file.h"
#include "image/tables.h"
#include "journal/journal_csv.h"
#include "journal/journal_filter.h"
#include "reports/event_archive.h"
#include "tests/support/cli_run.h"
#include "tests/support/image_builder.h"
#include "tests/support/random_image.h"

namespace v5 {
namespace {

using test::runCli;

class ArchiveCsv : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Image image = test::randomImage(11);
    SiteNames names;
    QString file = dir.filePath(QStringLiteral("site.v5"));

    void SetUp() override {
        // Every loop module in the rack: the load's sweep leaves the zones as they are.
        for (int m = 1; m <= 8; ++m)
            test::placeModule(image, m, QStringLiteral("МШС%1").arg(m));
        setZonaMask(image, 4, test::loops({1, 2, 3, 17}));
        names.loops[17] = QStringLiteral("Дверь, \"главная\"");
        names.zones[4] = QStringLiteral("Офис");
        ASSERT_TRUE(test::writeAll(file, image.toByteArray()));
    }
    QByteArray expected(const JournalFilter& filter, JournalOrder order, CsvStyle style,
                        const SiteNames& withNames) const {
        const std::vector<JournalRow> rows = buildJournal(image, withNames);
        return journalCsv(selectRows(rows, filter, order), style);
    }
    test::CliRun archive(QStringList options) const {
        options.prepend(QStringLiteral("archive"));
        options << QStringLiteral("-o") << QStringLiteral("-") << file;
        return runCli(options);
    }
};

TEST_F(ArchiveCsv, WritesTheFilteredRowsWithTheNamesBesideTheFile) {
    const auto csv = [](QStringList more) {
        more.prepend(QStringLiteral("--csv"));
        return more;
    };
    // Without a names file, the numbers alone.
    const test::CliRun plain = archive({QStringLiteral("--csv")});
    EXPECT_EQ(plain.status, 0) << plain.err.toStdString();
    EXPECT_EQ(plain.out, expected(JournalFilter(), JournalOrder::OldestFirst, CsvStyle::Standard, SiteNames()));

    ASSERT_FALSE(writeNamesFile(namesPathFor(file), names));
    JournalFilter kinds;
    kinds.kinds = kindBit(EventKind::Alarm) | kindBit(EventKind::Other);
    JournalFilter zoneAndText;
    zoneAndText.zone = 4;
    zoneAndText.text = QStringLiteral("главная");
    JournalFilter keyAndLoop;
    keyAndLoop.key = 3;
    keyAndLoop.loop = 17;
    const struct {
        QStringList options;
        JournalFilter filter;
        JournalOrder order;
        CsvStyle style;
    } cases[] = {
        {csv({}), JournalFilter(), JournalOrder::OldestFirst, CsvStyle::Standard},
        {csv({QStringLiteral("--kind"), QStringLiteral("тревога,other")}), kinds, JournalOrder::OldestFirst,
         CsvStyle::Standard},
        {{QStringLiteral("--excel"), QStringLiteral("--zone"), QStringLiteral("4"), QStringLiteral("--text"),
          QStringLiteral("ГЛАВНАЯ"), QStringLiteral("--newest-first")},
         zoneAndText, JournalOrder::NewestFirst, CsvStyle::Excel},
        {csv({QStringLiteral("--key"), QStringLiteral("3"), QStringLiteral("--loop"), QStringLiteral("17")}),
         keyAndLoop, JournalOrder::OldestFirst, CsvStyle::Standard},
    };
    for (const auto& c : cases) {
        const test::CliRun run = archive(c.options);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, expected(c.filter, c.order, c.style, names)) << c.options.join(u' ').toStdString();
    }
    EXPECT_TRUE(archive(csv({QStringLiteral("--zone"), QStringLiteral("4")})).text().contains(QStringLiteral("Офис")));
}

TEST_F(ArchiveCsv, WrongOptionsExitWithTwoAndArjTxtStaysAsItWas) {
    const QStringList wrong[] = {
        {QStringLiteral("--kind"), QStringLiteral("тревога")},  // a filter without --csv
        {QStringLiteral("--newest-first")},
        {QStringLiteral("--csv"), QStringLiteral("--kind"), QStringLiteral("тревоги")},
        {QStringLiteral("--csv"), QStringLiteral("--kind"), QStringLiteral(",")},
        {QStringLiteral("--csv"), QStringLiteral("--key"), QStringLiteral("0")},
        {QStringLiteral("--csv"), QStringLiteral("--key"), QStringLiteral("991")},
        {QStringLiteral("--csv"), QStringLiteral("--loop"), QStringLiteral("65")},
        {QStringLiteral("--csv"), QStringLiteral("--zone"), QStringLiteral("x")},
        {QStringLiteral("--csv"), QStringLiteral("--utf8")},
        {QStringLiteral("--csv"), QStringLiteral("--loop"), QStringLiteral("1"), QStringLiteral("--loop"),
         QStringLiteral("2")},
    };
    for (const QStringList& options : wrong) {
        const test::CliRun run = archive(options);
        EXPECT_EQ(run.status, 2) << options.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_FALSE(run.err.isEmpty());
    }
    // The text export is untouched by the table's options.
    const test::CliRun arj = archive({QStringLiteral("--utf8")});
    EXPECT_EQ(arj.status, 0);
    EXPECT_EQ(arj.text(), eventArchive(image).join(u'\n') + u'\n');
}

TEST_F(ArchiveCsv, ADamagedNamesFileIsToldAndTheRowsComeWithoutNames) {
    ASSERT_TRUE(test::writeAll(namesPathFor(file), "{ not json"));
    const test::CliRun run = archive({QStringLiteral("--csv")});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("names"))) << run.err.toStdString();
    EXPECT_EQ(run.out, expected(JournalFilter(), JournalOrder::OldestFirst, CsvStyle::Standard, SiteNames()));
}

TEST_F(ArchiveCsv, GoesToArjCsvInTheCurrentFolderByDefault) {
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const test::CliRun run = runCli({QStringLiteral("archive"), QStringLiteral("--excel"), file});
    QDir::setCurrent(previous);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(test::readAll(dir.filePath(journalCsvFileName())),
              expected(JournalFilter(), JournalOrder::OldestFirst, CsvStyle::Excel, SiteNames()));
}

}  // namespace
}  // namespace v5
