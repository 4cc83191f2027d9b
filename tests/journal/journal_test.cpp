// The event journal against arj.txt, its kinds, names, filters and CSV.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>

#include "image/records.h"
#include "image/tables.h"
#include "journal/journal.h"
#include "journal/journal_csv.h"
#include "journal/journal_filter.h"
#include "journal/journal_model.h"
#include "reports/archive_events.h"
#include "reports/event_archive.h"
#include "tests/journal/journal_site.h"
#include "tests/support/image_builder.h"
#include "tests/support/random_image.h"

namespace v5 {
namespace {

using test::pointArchiveTo;
using test::putEvent;

// "1-3,5" and the like, as arj.txt lists loops.
LoopMask parseLoopList(const QString& list) {
    LoopMask mask;
    for (const QString& part : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList ends = part.split(QLatin1Char('-'));
        for (int loop = ends.first().toInt(); loop <= ends.last().toInt(); ++loop)
            mask.set(loop);
    }
    return mask;
}

QSet<int> numbersOf(const std::vector<const JournalRow*>& rows) {
    QSet<int> out;
    for (const JournalRow* row : rows)
        out.insert(row->record);
    return out;
}

// arj.txt's line of each row, read back field by field: the journal holds what the file says.
void expectSameAsArj(const Image& image, const char* what) {
    SCOPED_TRACE(what);
    const std::vector<JournalRow> rows = buildJournal(image, SiteNames());
    QStringList lines = eventArchive(image);
    if (!lines.isEmpty() && lines.first().startsWith(QStringLiteral("Последняя"))) lines.removeFirst();
    bool ruleBefore = false;
    std::size_t r = 0;
    int run = 0;
    for (const QString& line : std::as_const(lines)) {
        if (line.startsWith(QLatin1Char('='))) {
            ruleBefore = true;
            continue;
        }
        ASSERT_LT(r, rows.size()) << line.toStdString();
        const JournalRow& row = rows[r];
        EXPECT_EQ(row.sequence, static_cast<int>(r));
        EXPECT_EQ(row.record, line.mid(1, 4).toInt()) << line.toStdString();
        EXPECT_EQ(row.powerOn, ruleBefore) << line.toStdString();
        run += row.powerOn ? 1 : 0;
        EXPECT_EQ(row.run, run);
        ruleBefore = false;

        const bool keyEvent = line.mid(6, 5) == QStringLiteral("Ключ:");
        EXPECT_EQ(row.key != 0, keyEvent) << line.toStdString();
        if (keyEvent) {
            EXPECT_EQ(row.key, line.mid(12, 6).toInt());
            EXPECT_TRUE(row.cell(JournalColumn::Date).isEmpty());
        } else {
            const QString date = line.mid(12, 7);  // "031/012"
            EXPECT_EQ(row.cell(JournalColumn::Date).split(QLatin1Char('/')),
                      (QStringList{QString::number(date.left(3).toInt()).rightJustified(2, QLatin1Char('0')),
                                   QString::number(date.right(3).toInt()).rightJustified(2, QLatin1Char('0'))}));
        }
        const QStringList time = line.mid(27, 11).split(QLatin1Char(':'));
        const QStringList rowTime = row.cell(JournalColumn::Time).split(QLatin1Char(':'));
        ASSERT_EQ(rowTime.size(), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(rowTime[i].toInt(), time[i].toInt()) << line.toStdString();

        const QString rest = line.mid(38);
        const qsizetype loopsAt = rest.lastIndexOf(QStringLiteral("Шлейфы:"));
        if (archiveCodeText(row.code).known) {
            EXPECT_EQ(row.text, rest.left(30).simplified()) << line.toStdString();
        } else {
            EXPECT_EQ(row.text, QStringLiteral("код ") + rest.left(3).trimmed().rightJustified(2, QLatin1Char('0')))
                << line.toStdString();
            EXPECT_EQ(row.kind, EventKind::Other);
        }
        if (row.slot != 0 || loopsAt < 0) {
            // The range compression may leave "слот 7" or, for slot 0, "слот-0".
            const QRegularExpressionMatch slot = QRegularExpression(QStringLiteral("слот\\D*(\\d+)")).match(rest);
            ASSERT_TRUE(slot.hasMatch()) << line.toStdString();
            EXPECT_EQ(row.slot, slot.captured(1).toInt()) << line.toStdString();
            EXPECT_TRUE(row.loops.isEmpty());
        } else {
            EXPECT_EQ(row.loops, parseLoopList(rest.mid(loopsAt + 7).trimmed())) << line.toStdString();
        }
        ++r;
    }
    EXPECT_EQ(r, rows.size());
    EXPECT_EQ(static_cast<int>(rows.size()), writtenArchiveRecords(image));
}

TEST(Journal, HoldsArjTxtsRecordsInItsOrderWithItsTexts) {
    for (std::uint32_t seed = 1; seed <= 40; ++seed)
        expectSameAsArj(test::randomImage(seed), "random");

    // Every code once, with loops, so that every text and group is met.
    Image everyCode;
    for (int code = 0; code < 256; ++code)
        putEvent(everyCode, code * 5, static_cast<std::uint8_t>(code), {1, 2}, {3, 4, 5}, test::loops({1, code % 64 + 1}));
    putEvent(everyCode, 1279, 0x03, {9, 9}, {}, LoopMask(0x07));  // a failed test names slot 7
    expectSameAsArj(everyCode, "every code");

    // Pointers: unset, at the archive's start, inside, at the last record, past the end.
    for (const std::uint16_t pointer : {0x0000, 0x3000, 0x3020, 0x7FF0, 0xFFFF}) {
        Image image = everyCode;
        config::ArchivePointer{pointer}.encode(image);
        expectSameAsArj(image, "pointer");
    }
    expectSameAsArj(Image(), "empty archive");
}

TEST(Journal, FollowsThePointerAndSkipsEmptyRecords) {
    Image image;
    putEvent(image, 0, 0x62, {1, 1});
    putEvent(image, 2, 0x00, {1, 1});
    putEvent(image, 3, 0xFF, {1, 1});  // never written
    putEvent(image, 1278, 0x83, {1, 1});
    pointArchiveTo(image, 1);
    const std::vector<JournalRow> rows = buildJournal(image, SiteNames());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].record, 2);
    EXPECT_EQ(rows[1].record, 1278);
    EXPECT_EQ(rows[2].record, 0);
    EXPECT_EQ(rows[1].text, QStringLiteral("включение"));
    EXPECT_EQ((std::array{rows[0].run, rows[1].run, rows[2].run}), (std::array{0, 1, 1}));
}

TEST(EventKinds, EveryCodeWithATextHasAKindAndEveryOtherIsOther) {
    const struct {
        std::uint8_t code;
        EventKind kind;
    } spots[] = {
        {0x00, EventKind::Power},   {0x03, EventKind::Fault},    {0x0A, EventKind::Fault},
        {0x0D, EventKind::Fire},    {0x13, EventKind::Arming},   {0x3F, EventKind::Disarming},
        {0x5A, EventKind::Monter},  {0x62, EventKind::Alarm},    {0x71, EventKind::Fire},
        {0x73, EventKind::Alarm},   {0x83, EventKind::Power},    {0xA3, EventKind::GZ},
        {0xB2, EventKind::Housing}, {0xB3, EventKind::Power},    {0xB6, EventKind::Settings},
        {0xB7, EventKind::GZ},      {0xC9, EventKind::Link},     {0x01, EventKind::Other},
        {0x63, EventKind::Other},   {0xFE, EventKind::Other},
    };
    for (const auto& s : spots)
        EXPECT_EQ(eventKind(s.code), s.kind) << int(s.code);
    for (int code = 0; code < 256; ++code) {
        const auto c = static_cast<std::uint8_t>(code);
        EXPECT_EQ(eventKind(c) == EventKind::Other, !archiveCodeText(c).known) << code;
    }
}

TEST(EventKinds, WordsNameKindsInEitherLanguageAndAnyCase) {
    for (int k = 0; k < kEventKindCount; ++k) {
        const auto kind = static_cast<EventKind>(k);
        EXPECT_EQ(kindFromWord(kindName(kind)), kind);
        EXPECT_EQ(kindFromWord(kindName(kind).toUpper()), kind);
    }
    EXPECT_EQ(kindFromWord(QStringLiteral("Alarm")), EventKind::Alarm);
    EXPECT_EQ(kindFromWord(QStringLiteral("response")), EventKind::GZ);
    EXPECT_EQ(kindFromWord(QStringLiteral("гз")), EventKind::GZ);
    EXPECT_FALSE(kindFromWord(QStringLiteral("тревоги")));
    EXPECT_FALSE(kindFromWord(QString()));
}

struct Site : test::JournalSite {
    std::vector<JournalRow> rows() const { return buildJournal(image, names); }
};

TEST(Journal, NamesKeysLoopsAndTheZonesThatHoldThem) {
    const std::vector<JournalRow> rows = Site().rows();
    ASSERT_EQ(rows.size(), 9u);
    const auto cells = [&rows](int r) {
        const auto& c = rows[static_cast<std::size_t>(r)].cells;
        return QStringList(c.begin(), c.end());
    };
    EXPECT_EQ(cells(0), (QStringList{QStringLiteral("0"), QStringLiteral("12/01"), QStringLiteral("08:00:00"),
                                     QStringLiteral("включение"), QString(), QString()}));
    EXPECT_EQ(cells(1), (QStringList{QStringLiteral("1"), QString(), QStringLiteral("08:05:09"),
                                     QStringLiteral("взятие 02"),
                                     QStringLiteral("ключ 5 «Иванов; И.»; шлейфы 1, 2 «Окно, кухня», 3-4"),
                                     QStringLiteral("1, 2 «Склад \"Север\"»")}));
    EXPECT_EQ(cells(2)[4], QStringLiteral("9"));
    EXPECT_EQ(cells(2)[5], QStringLiteral("2 «Склад \"Север\"»"));
    EXPECT_EQ(cells(3)[3], QStringLiteral("неисправность-тест не прошел"));
    EXPECT_EQ(cells(3)[4], QStringLiteral("слот 7"));
    EXPECT_EQ(cells(3)[5], QString());
    EXPECT_EQ(cells(5)[4], QStringLiteral("ключ 7; шлейфы 5"));
    EXPECT_EQ(cells(7)[3], QStringLiteral("код 01"));
    EXPECT_EQ(rows[1].zones, 0b11u);
    EXPECT_TRUE(rows[0].powerOn && rows[4].powerOn && !rows[1].powerOn);
    EXPECT_EQ(rows[8].run, 2);
}

TEST(JournalFilter, EachFilterAloneAndCombined) {
    const std::vector<JournalRow> rows = Site().rows();
    const auto filter = [](auto change) {
        JournalFilter f;
        change(f);
        return f;
    };
    const struct {
        const char* what;
        JournalFilter filter;
        QSet<int> records;
    } cases[] = {
        {"nothing", JournalFilter(), {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"power", filter([](JournalFilter& f) { f.kinds = kindBit(EventKind::Power); }), {0, 4}},
        {"alarm and fire",
         filter([](JournalFilter& f) { f.kinds = kindBit(EventKind::Alarm) | kindBit(EventKind::Fire); }),
         {2, 6}},
        {"no kind", filter([](JournalFilter& f) { f.kinds = 0; }), {}},
        {"key 5", filter([](JournalFilter& f) { f.key = 5; }), {1}},
        {"key 6", filter([](JournalFilter& f) { f.key = 6; }), {}},
        {"loop 3", filter([](JournalFilter& f) { f.loop = 3; }), {1, 6}},
        {"zone 2", filter([](JournalFilter& f) { f.zone = 2; }), {1, 2, 6}},
        {"zone 3 (none)", filter([](JournalFilter& f) { f.zone = 3; }), {}},
        {"text in a name", filter([](JournalFilter& f) { f.text = QStringLiteral("СЕВЕР"); }), {1, 2, 6}},
        {"text in the event", filter([](JournalFilter& f) { f.text = QStringLiteral("корпуса"); }), {8}},
        {"text in the time", filter([](JournalFilter& f) { f.text = QStringLiteral("07:0"); }), {4, 5, 6, 7, 8}},
        {"text in the number or time", filter([](JournalFilter& f) { f.text = QStringLiteral("8"); }), {0, 1, 8}},
        {"zone 2 and fire", filter([](JournalFilter& f) {
             f.zone = 2;
             f.kinds = kindBit(EventKind::Fire);
         }),
         {6}},
        {"loop 2, text and kind", filter([](JournalFilter& f) {
             f.loop = 2;
             f.text = QStringLiteral("кухня");
             f.kinds = kindBit(EventKind::Arming);
         }),
         {1}},
        {"key and a loop it did not arm", filter([](JournalFilter& f) {
             f.key = 5;
             f.loop = 9;
         }),
         {}},
    };
    for (const auto& c : cases) {
        const auto oldest = selectRows(rows, c.filter, JournalOrder::OldestFirst);
        EXPECT_EQ(numbersOf(oldest), c.records) << c.what;
        auto newest = selectRows(rows, c.filter, JournalOrder::NewestFirst);
        std::reverse(newest.begin(), newest.end());
        EXPECT_EQ(newest, oldest) << c.what;
    }
}

TEST(JournalProxy, ShowsTheRowsTheFilterSelectsInTheOrderChosen) {
    JournalModel model;
    JournalProxy proxy;
    proxy.setJournal(&model);
    const Image image = test::randomImage(7);
    model.setRows(buildJournal(image, SiteNames()));
    ASSERT_GT(model.rowCount(), 100);
    JournalFilter filters[4];
    filters[1].kinds = kindBit(EventKind::Other) | kindBit(EventKind::Arming);
    filters[2].loop = 17;
    filters[2].text = QStringLiteral("1");
    filters[3].zone = 1;
    for (const JournalFilter& f : filters) {
        for (const JournalOrder order : {JournalOrder::NewestFirst, JournalOrder::OldestFirst}) {
            proxy.setFilter(f);
            proxy.setOrder(order);
            EXPECT_EQ(proxy.shownRows(), selectRows(model.rows(), f, order));
            EXPECT_EQ(proxy.rowCount(), static_cast<int>(proxy.shownRows().size()));
        }
    }
    // A new archive keeps the filter and the order.
    model.setRows(buildJournal(test::randomImage(8), SiteNames()));
    EXPECT_EQ(proxy.shownRows(), selectRows(model.rows(), filters[3], JournalOrder::OldestFirst));
    EXPECT_EQ(proxy.data(proxy.index(0, 3)).toString(), proxy.shownRows().front()->text);
}

TEST(JournalCsv, QuotesWhatNeedsItInEitherStyle) {
    const std::vector<JournalRow> rows = Site().rows();
    const std::vector<const JournalRow*> keyRow{&rows[1]};
    EXPECT_EQ(journalCsv(keyRow, CsvStyle::Standard),
              QStringLiteral("№,Дата,Время,Событие,Ключ / шлейфы,Зоны\r\n"
                             "1,,08:05:09,взятие 02,\"ключ 5 «Иванов; И.»; шлейфы 1, 2 «Окно, кухня», 3-4\","
                             "\"1, 2 «Склад \"\"Север\"\"»\"\r\n")
                  .toUtf8());
    EXPECT_EQ(journalCsv(keyRow, CsvStyle::Excel),
              QByteArrayLiteral("\xEF\xBB\xBF") +
                  QStringLiteral("№;Дата;Время;Событие;Ключ / шлейфы;Зоны\r\n"
                                 "1;;08:05:09;взятие 02;\"ключ 5 «Иванов; И.»; шлейфы 1, 2 «Окно, кухня», 3-4\";"
                                 "\"1, 2 «Склад \"\"Север\"\"»\"\r\n")
                      .toUtf8());
    // Line breaks inside a name stay inside its quoted field.
    JournalRow odd = rows[2];
    odd.cells[4] = QStringLiteral("a\nb");
    const std::vector<const JournalRow*> oddRow{&odd};
    EXPECT_TRUE(journalCsv(oddRow, CsvStyle::Standard).endsWith("\"a\nb\",\"2 «Склад \"\"Север\"\"»\"\r\n"));
    EXPECT_EQ(journalCsv({}, CsvStyle::Standard),
              QStringLiteral("№,Дата,Время,Событие,Ключ / шлейфы,Зоны\r\n").toUtf8());
}

TEST(Journal, ChangesOnlyWithTheArchiveItsPointerOrTheZones) {
    const Image base = test::randomImage(3);
    EXPECT_TRUE(sameJournalSource(base, base));
    const std::size_t places[] = {map::Archive.at(0), map::Archive.end() - 1, map::ArchivePointer.offset + 1,
                                  map::Zones.offset, map::Zones.end() - 1};
    for (const std::size_t at : places) {
        Image changed = base;
        changed.setByte(at, static_cast<std::uint8_t>(base.byte(at) ^ 0x10));
        EXPECT_FALSE(sameJournalSource(base, changed)) << at;
    }
    for (const std::size_t at : {map::Razdels.offset, map::Relays.offset, map::KeyRecords.offset}) {
        Image changed = base;
        changed.setByte(at, static_cast<std::uint8_t>(base.byte(at) ^ 0x10));
        EXPECT_TRUE(sameJournalSource(base, changed)) << at;
    }
}

}  // namespace
}  // namespace v5
