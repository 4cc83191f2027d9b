// Keys to and from a spreadsheet: the table reader, the checks of an import, and the command line's
// export and import of a settings file with its names.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "files/names_file.h"
#include "image/orphan_sweep.h"
#include "keys/key_csv.h"
#include "tests/keys/key_desktop.h"
#include "tests/support/cli_run.h"
#include "tests/support/small_disk.h"

namespace v5 {
namespace {

using test::runCli;

const QString kHeader = QStringLiteral("number,code,assignment,spi_number,owner,note\n");

Image imageIn(const QString& path) {
    Image image;
    [[maybe_unused]] const bool read = !readSettingsInto(image, path, AccessCodeCheck::None);
    return image;
}

QByteArray windows1251(const QString& text) {
    QStringEncoder encoder("windows-1251");
    return encoder(text);
}

// МШС1 in the rack, zone 3 and partition 2 with loops, zone 4 without; three keys, two with names.
Image siteImage() {
    Image image;
    test::placeModule(image, 1, QStringLiteral("МШС1"));
    setZonaMask(image, 3, test::loops({2}));
    setRazdelMask(image, 2, test::loops({5}));
    test::storeKey(image, 0, test::printedCode(0xABCDEF012345), 0x02, 4);
    test::storeKey(image, 1, test::printedCode(0x000000000001), 0xFA);
    test::storeKey(image, 2, test::printedCode(0x00000000BEEF), 0x03);  // zone 4: shown as not assigned
    return image;
}

SiteNames siteNames() {
    SiteNames names;
    names.keys[1] = {QStringLiteral("Иванов, И. И."), QStringLiteral("вход \"А\"\nподъезд 2")};
    names.keys[2] = {QStringLiteral("монтажник"), QString()};
    return names;
}

TEST(KeyTableFile, ReadsWhatSpreadsheetsSave) {
    const QString header = QStringLiteral("number;code;assignment;spi_number;owner\r\n");
    const QString line = QStringLiteral("1;abcdef012345;зона 3;5;Петров\r\n");
    const struct {
        const char* what;
        QByteArray bytes;
        QChar separator;
    } cases[] = {
        {"Windows-1251 with ';'", windows1251(header + line), QLatin1Char(';')},
        {"UTF-8 without a byte-order mark", (header + line).toUtf8(), QLatin1Char(';')},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + (header + line).toUtf8(), QLatin1Char(';')},
        {"UTF-8 with ','", QString(header + line).replace(u';', u',').toUtf8(), QLatin1Char(',')},
    };
    for (const auto& c : cases) {
        const CsvTable table = readCsv(c.bytes);
        ASSERT_TRUE(table.problem.isEmpty()) << c.what;
        EXPECT_EQ(table.separator, c.separator) << c.what;
        ASSERT_EQ(table.rows.size(), 2u) << c.what;
        EXPECT_EQ(table.rows[0].cells.first(), QStringLiteral("number")) << c.what;
        EXPECT_EQ(table.rows[1].cells,
                  (QStringList{QStringLiteral("1"), QStringLiteral("abcdef012345"), QStringLiteral("зона 3"),
                               QStringLiteral("5"), QStringLiteral("Петров")}))
            << c.what;
    }
}

TEST(KeyTableFile, QuotedCellsKeepSeparatorsQuotesAndLineBreaks) {
    const CsvTable table = readCsv(QStringLiteral("a;b\n"
                                                  "\"x;y\";\"он сказал \"\"да\"\"\"\n"
                                                  ";;\n"
                                                  "\"две\nстроки\";z\n"
                                                  "last;\"open")
                                       .toUtf8());
    EXPECT_TRUE(table.problem.contains(QStringLiteral("не закрыта"))) << table.problem.toStdString();
    EXPECT_EQ(table.problemLine, 6);

    const CsvTable good =
        readCsv(QStringLiteral("a;b\n\"x;y\";\"он сказал \"\"да\"\"\"\n;;\n\"две\r\nстроки\";z\n").toUtf8());
    // Empty rows are left out; a row keeps the line it starts on; a line break in quotes is "\n".
    ASSERT_TRUE(good.problem.isEmpty());
    ASSERT_EQ(good.rows.size(), 3u);
    EXPECT_EQ(good.rows[1].line, 2);
    EXPECT_EQ(good.rows[1].cells, (QStringList{QStringLiteral("x;y"), QStringLiteral("он сказал \"да\"")}));
    EXPECT_EQ(good.rows[2].line, 4);
    EXPECT_EQ(good.rows[2].cells, (QStringList{QStringLiteral("две\nстроки"), QStringLiteral("z")}));
}

TEST(KeyImport, RefusesEachBadLineWithItsNumber) {
    const Image image = siteImage();
    const struct {
        QString lines;  // after the header, from line 2
        int line;
        const char* says;
    } cases[] = {
        {QStringLiteral(",12345G789012,,1\n"), 2, "не шестнадцатеричная цифра"},
        {QStringLiteral(",12345678,,1\n"), 2, "ведущие нули"},
        {QStringLiteral(",000000000000,,1\n"), 2, "не может быть кодом ключа"},
        {QStringLiteral(",abcdef012345,,1\n"), 2, "уже у ключа 1"},
        {QStringLiteral("5,000000000002,,1\n6,000000000002,,1\n"), 3, "уже в строке 2"},
        {QStringLiteral("5,000000000002,сторож,1\n"), 2, "не распознано"},
        {QStringLiteral("5,000000000002,зона 4,1\n"), 2, "зоны 4 нет: в ней нет шлейфов"},
        {QStringLiteral("5,000000000002,зона 65,1\n"), 2, "зоны 65 нет"},
        {QStringLiteral("5,000000000002,раздел 33,1\n"), 2, "раздела 33 нет"},
        {QStringLiteral("5,000000000002,,0\n"), 2, "вне 1–15"},
        {QStringLiteral("5,000000000002,,16\n"), 2, "вне 1–15"},
        {QStringLiteral("0,000000000002,,1\n"), 2, "ключа 0 нет"},
        {QStringLiteral("991,000000000002,,1\n"), 2, "ключа 991 нет"},
        {QStringLiteral("пять,000000000002,,1\n"), 2, "не число"},
        {QStringLiteral("5,000000000002,,1\n5,000000000003,,1\n"), 3, "ключ 5 уже есть в строке 2"},
    };
    for (const auto& c : cases) {
        const KeyImportPlan plan = planKeyImport(image, {}, (kHeader + c.lines).toUtf8());
        ASSERT_EQ(plan.errors.size(), 1u)
            << c.lines.toStdString() << keyImportLines(plan).join(u'|').toStdString();
        EXPECT_EQ(plan.errors[0].line, c.line) << c.says;
        EXPECT_TRUE(plan.errors[0].text.contains(QString::fromUtf8(c.says)))
            << plan.errors[0].text.toStdString();
        EXPECT_TRUE(plan.changes.empty());
    }

    const KeyImportPlan noHeader = planKeyImport(image, {}, QByteArray("1,abcdef012345\n"));
    ASSERT_EQ(noHeader.errors.size(), 1u);
    EXPECT_TRUE(noHeader.errors[0].text.contains(
        QStringLiteral("нет столбцов: number, code, assignment, spi_number")));

    Image full = image;
    for (std::size_t i = 3; i < static_cast<std::size_t>(config::kKeyCount); ++i)
        test::storeKey(full, i, test::printedCode(0x100000 + i), 0xFF);
    const KeyImportPlan noRoom =
        planKeyImport(full, {}, (kHeader + QStringLiteral(",000000000002,,1\n")).toUtf8());
    ASSERT_EQ(noRoom.errors.size(), 1u);
    EXPECT_TRUE(noRoom.errors[0].text.contains(QStringLiteral("нет места")));
}

TEST(KeyImport, AddsReplacesAndChangesKeysWithTheirNames) {
    Image image = siteImage();
    SiteNames names = siteNames();
    const QByteArray csv = (kHeader + QStringLiteral(
                                          // key 1: its monitoring number and note change
                                          "1,abcdef012345,зона 3,6,\"Иванов, И. И.\",новое\n"
                                          // key 2 is another key now: the old owner goes with the old key
                                          "2,0000000000aa,Раздел 2,1,Сидоров,\n"
                                          // the next free record, 4
                                          ",0000000000bb,гз,,,\n"
                                          // key 3 left as the export writes it: nothing changes
                                          "3,00000000beef,,1,,\n"))
                               .toUtf8();
    const KeyImportPlan plan = planKeyImport(image, names, csv);
    ASSERT_TRUE(plan.ok()) << keyImportLines(plan).join(u'\n').toStdString();
    EXPECT_EQ(keyImportSummary(plan),
              QStringLiteral("Добавить: 1, заменить: 1, изменить: 1, без изменений: 1"));
    EXPECT_EQ(
        keyImportLines(plan).join(u'\n'),
        QStringLiteral("строка 2: изменить ключ 1: СПИ 5 → 6; примечание «вход \"А\"\nподъезд 2» → «новое»\n"
                       "строка 3: заменить ключ 2: 000000000001, монтер, СПИ 1, владелец «монтажник» → "
                       "0000000000aa, раздел 2, СПИ 1, владелец «Сидоров»\n"
                       "строка 4: добавить ключ 4: 0000000000bb, ГЗ, СПИ 1"));

    const Image before = image;
    applyKeyImport(plan, image, names);
    const config::Key replaced = config::Key::decode(image, 1);
    EXPECT_EQ(replaced.code, test::printedCode(0xAA));
    EXPECT_TRUE(replaced.checkByteMatches());
    EXPECT_EQ(replaced.assignment, config::KeyAssignment::ofRazdel(2));
    EXPECT_EQ(config::Key::decode(image, 0).spiNumber(), 6);
    EXPECT_EQ(config::Key::decode(image, 3).assignment.byte, config::kGZAssignment);
    // Zone 4 has no loops, so key 3 read as not assigned; its byte stays as the file held it.
    EXPECT_EQ(config::Key::decode(image, 2), config::Key::decode(before, 2));
    EXPECT_EQ(names.keys.at(1).note, QStringLiteral("новое"));
    EXPECT_EQ(names.keys.at(2), (KeyName{QStringLiteral("Сидоров"), QString()}));
    EXPECT_FALSE(names.keys.contains(4));

    // Two keys swap their codes in one table: no code is held twice afterwards.
    const KeyImportPlan swap = planKeyImport(
        image, names, (kHeader + QStringLiteral("1,0000000000aa,,1\n2,abcdef012345,,1\n")).toUtf8());
    EXPECT_TRUE(swap.ok()) << keyImportLines(swap).join(u'\n').toStdString();
}

class KeyTableCliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString site;
    QString namesFile;

    void SetUp() override {
        site = dir.filePath(QStringLiteral("site.v5"));
        namesFile = namesPathFor(site);
        ASSERT_TRUE(test::writeAll(site, siteImage().toByteArray()));
        ASSERT_FALSE(writeNamesFile(namesFile, siteNames()));
    }
    QString table(const QByteArray& bytes) {
        const QString path = dir.filePath(QStringLiteral("keys.csv"));
        EXPECT_TRUE(test::writeAll(path, bytes));
        return path;
    }
};

TEST_F(KeyTableCliTest, ExportImportsBackToTheSameBytesAndNames) {
    const test::CliRun exported = runCli({QStringLiteral("keys"), site, QStringLiteral("--csv")});
    ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
    EXPECT_EQ(exported.text(),
              kHeader + QStringLiteral("1,abcdef012345,зона 3,5,\"Иванов, И. И.\",\"вход \"\"А\"\"\n"
                                       "подъезд 2\"\n"
                                       "2,000000000001,монтер,1,монтажник,\n"
                                       "3,00000000beef,,1,,\n"));
    const QByteArray siteBytes = test::readAll(site);
    const QByteArray namesBytes = test::readAll(namesFile);

    const test::CliRun same = runCli({QStringLiteral("keys-import"), site, table(exported.out)});
    EXPECT_EQ(same.status, 0) << same.err.toStdString();
    EXPECT_EQ(test::readAll(site), siteBytes);
    EXPECT_EQ(test::readAll(namesFile), namesBytes);

    // Into the same site with every key record freed and no names: the keys as the window shows them.
    Image cleared = siteImage();
    for (std::size_t i = 0; i < static_cast<std::size_t>(config::kKeyCount); ++i)
        config::Key{}.encode(cleared, i);
    ASSERT_TRUE(test::writeAll(site, cleared.toByteArray()));
    ASSERT_TRUE(QFile::remove(namesFile));
    const test::CliRun loaded = runCli({QStringLiteral("keys-import"), site, table(exported.out)});
    ASSERT_EQ(loaded.status, 0) << loaded.err.toStdString();
    Image shown = siteImage();
    SlotCaptions captions;
    captions.bntSlotsUpdate(shown);
    ClearSheet(shown, captions);
    Image result = imageIn(site);
    for (const auto region : {map::KeyRecords, map::KeyCheck})
        for (std::size_t i = 0; i < region.count; ++i)
            ASSERT_TRUE(std::ranges::equal(result.record(region, i), shown.record(region, i))) << i;
    EXPECT_EQ(readNamesFile(namesFile).names, siteNames());
}

TEST_F(KeyTableCliTest, AnErrorInTheLastLineWritesNothing) {
    const QByteArray siteBytes = test::readAll(site);
    const QByteArray namesBytes = test::readAll(namesFile);
    const QString csv =
        table(windows1251(QStringLiteral("number;code;assignment;spi_number;owner;note\r\n"
                                         ";0000000000a1;зона 3;1;Петров;\r\n"
                                         ";0000000000a2;;2;Сидоров;\r\n"
                                         ";0000000000a3;зона 9;1;;\r\n")));
    const test::CliRun dry = runCli({QStringLiteral("keys-import"), site, csv, QStringLiteral("--dry-run")});
    EXPECT_EQ(dry.status, 1);
    EXPECT_EQ(dry.err,
              QStringLiteral("строка 4: зоны 9 нет: в ней нет шлейфов\nОшибок: 1 — ничего не загружено\n"));
    const test::CliRun run = runCli({QStringLiteral("keys-import"), site, csv});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(test::readAll(site), siteBytes);
    EXPECT_EQ(test::readAll(namesFile), namesBytes);

    // Mended, a dry run lists the lines and still writes nothing; then the load writes both files.
    table(
        windows1251(QStringLiteral("number;code;assignment;spi_number;owner;note\r\n"
                                   ";0000000000a1;зона 3;1;Петров;\r\n")));
    const test::CliRun listed =
        runCli({QStringLiteral("keys-import"), site, csv, QStringLiteral("--dry-run")});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.text(),
              QStringLiteral("строка 2: добавить ключ 4: 0000000000a1, зона 3, СПИ 1, владелец «Петров»\n"
                             "Добавить: 1, заменить: 0, изменить: 0, без изменений: 0\n"
                             "--dry-run: nothing written\n"));
    EXPECT_EQ(test::readAll(site), siteBytes);
    const test::CliRun loaded = runCli({QStringLiteral("keys-import"), site, csv});
    EXPECT_EQ(loaded.status, 0) << loaded.err.toStdString();
    const Image image = imageIn(site);
    EXPECT_EQ(config::Key::decode(image, 3).code, test::printedCode(0xA1));
    EXPECT_EQ(readNamesFile(namesFile).names.keys.at(4).owner, QStringLiteral("Петров"));
}

TEST_F(KeyTableCliTest, AFailedImageWriteKeepsTheOldNames) {
    test::SmallDisk disk(64);
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk needs the superuser";
    // The settings file lies on a read-only medium; its names file beside the link that names it.
    const QString real = disk.filePath(QStringLiteral("site.v5"));
    ASSERT_TRUE(test::writeAll(real, siteImage().toByteArray()));
    ASSERT_TRUE(disk.makeReadOnly());
    ASSERT_TRUE(QFile::remove(site));
    ASSERT_TRUE(QFile::link(real, site));
    const QByteArray namesBytes = test::readAll(namesFile);

    const test::CliRun run =
        runCli({QStringLiteral("keys-import"), site,
                table((kHeader + QStringLiteral(",0000000000a1,,1,Петров,\n")).toUtf8())});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("nothing written"))) << run.err.toStdString();
    EXPECT_EQ(test::readAll(namesFile), namesBytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).filter(QStringLiteral(".new")),
              QStringList());
}

}  // namespace
}  // namespace v5
