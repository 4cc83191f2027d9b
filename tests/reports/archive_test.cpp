#include <gtest/gtest.h>

#include <array>

#include "reports/event_archive.h"
#include "tests/support/image_builder.h"
#include "tests/reports/report_fixtures.h"
#include "reports/text_encoding.h"

namespace v5 {
namespace {

// A record of the archive: date or key bytes 0-1, time 2-4, code 5, loop mask or slot 6-13.
struct Event {
    std::uint8_t b0 = 0, b1 = 0;
    std::array<std::uint8_t, 3> time{};
    std::uint8_t code = 0;
    LoopMask loops{};
    std::uint8_t slot = 0;  // byte 6 for code 0x03
};

void put(Image& image, int r, const Event& e) {
    const auto rec = image.record(map::Archive, static_cast<std::size_t>(r));
    rec[0] = e.b0;
    rec[1] = e.b1;
    rec[2] = e.time[0];
    rec[3] = e.time[1];
    rec[4] = e.time[2];
    rec[5] = e.code;
    image.setLoopMask(map::Archive.at(static_cast<std::size_t>(r)) + 6, e.loops);
    if (e.slot) rec[6] = e.slot;
}

void setPointer(Image& image, std::uint8_t high, std::uint8_t low) {
    image.setByte(map::ArchivePointer.offset, high);
    image.setByte(map::ArchivePointer.offset + 1, low);
}

TEST(EventArchive, EveryKindOfRecordGetsItsLine) {
    Image image;
    put(image, 0,
        {.b0 = 0x00, .b1 = 0x04, .time = {10, 20, 30}, .code = 0x12, .loops = test::loops({1, 2, 3, 5})});
    put(image, 1,
        {.b0 = 3, .b1 = 12, .time = {1, 2, 3}, .code = 0x03, .loops = test::loops({9, 64}), .slot = 7});
    put(image, 2, {.b0 = 1, .b1 = 2, .code = 0x83, .loops = test::loops({64})});
    put(image, 3, {.code = 0x01});
    put(image, 4, {.b0 = 9, .code = 0xFF, .loops = test::loops({1})});  // never written
    image.setByte(map::Archive.at(5) + 14, 0x55);                       // bytes 14-15 alone: empty
    image.setByte(map::Archive.at(5) + 15, 0x55);
    put(image, 6, {.b0 = 5, .code = 0x00});
    put(image, 7, {.b0 = 0x01, .b1 = 0x00, .code = 0x3F});
    put(image, 8, {.b0 = 1, .b1 = 2, .code = 0x50});
    put(image, 9, {.b0 = 0, .b1 = 3, .code = 0xA7, .loops = test::loops({1})});
    put(image, 10, {.code = 0xC2, .loops = test::loops({8, 9})});
    put(image, 11, {.code = 0xCF});
    put(image, 12, {.code = 0xD0, .loops = test::loops({2, 4, 5, 6})});
    put(image, 13, {.b0 = 0x00, .b1 = 0x04, .code = 0x2F});
    put(image, 1279, {.time = {23, 59, 59}, .code = 0xB8});

    const QStringList expected = test::textLines({
        u" 0000 Ключ: 000005  Время: 010:020:030 взятие 02                    Шлейфы: 1-3,5",
        u" 0001 Дата: 012/003 Время: 001:002:003 неисправность-тест не прошел слот 7",
        u"================================================================================================",
        u" 0002 Дата: 002/001 Время: 000:000:000 включение                    Шлейфы: 64",
        u" 0003 Дата: 000/000 Время: 000:000:000  1Шлейфы:",
        u" 0006 Дата: 000/005 Время: 000:000:000 разряд АКБ                   Шлейфы:",
        u" 0007 Ключ: 000257  Время: 000:000:000 снятие 15                    Шлейфы:",
        u" 0008 Дата: 002/001 Время: 000:000:000 монтер 00                    Шлейфы:",
        u" 0009 Дата: 003/000 Время: 000:000:000   ГЗ   07                    Шлейфы: 1",
        u" 0010 Дата: 000/000 Время: 000:000:000 Обрыв связи по 3 группе      Шлейфы: 8-9",
        u" 0011 Дата: 000/000 Время: 000:000:000 Вост. связи по 8 группе      Шлейфы:",
        u" 0012 Дата: 000/000 Время: 000:000:000 D0Шлейфы: 2,4-6",
        u" 0013 Дата: 004/000 Время: 000:000:000 2FШлейфы:",
        u" 1279 Дата: 000/000 Время: 023:059:059 чтение   настроек            Шлейфы:",
    });
    const QStringList got = eventArchive(image);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(got.at(2).size(), 96);
    EXPECT_EQ(writtenArchiveRecords(image), 13);
}

// The record numbers of the written lines, in file order.
std::vector<int> recordOrder(const QStringList& lines) {
    std::vector<int> order;
    for (const QString& line : lines)
        order.push_back(line.mid(1, 4).toInt());
    return order;
}

Image fullArchive() {
    Image image;
    for (int r = 0; r < 1280; ++r)
        put(image, r, {.b0 = static_cast<std::uint8_t>(r), .code = 0xB5});
    return image;
}

std::vector<int> ring(int first) {
    std::vector<int> order;
    for (int i = 0; i < 1280; ++i)
        order.push_back((first + i) % 1280);
    return order;
}

TEST(EventArchive, PointerChoosesWhereTheRingStarts) {
    Image image = fullArchive();
    const struct {
        std::uint8_t high, low;
        const char16_t* first;  // the pointer line, if any
        int oldest;
    } cases[] = {
        {0x30, 0x20, u"Последняя запись - 2", 3},
        {0x7F, 0xF0, u"Последняя запись - 1279", 0},
        {0xFF, 0xFF, u"Последняя запись - 3327", 0},  // beyond the archive: from record 0
        {0x00, 0x00, nullptr, 0},
        {0x30, 0x00, nullptr, 0},  // the archive's start counts as no pointer
    };
    for (const auto& c : cases) {
        setPointer(image, c.high, c.low);
        QStringList got = eventArchive(image);
        if (c.first) {
            EXPECT_EQ(got.takeFirst(), QString::fromUtf16(c.first));
        }
        EXPECT_EQ(recordOrder(got), ring(c.oldest)) << c.high << ' ' << c.low;
    }
}

TEST(EventArchive, ZeroArchiveGivesAtMostThePointerLine) {
    Image image;
    EXPECT_TRUE(eventArchive(image).isEmpty());
    setPointer(image, 0x30, 0x10);
    EXPECT_EQ(encodeLines(eventArchive(image), TextFormat::Windows1251CrLf),
              QByteArray("\xCF\xEE\xF1\xEB\xE5\xE4\xED\xFF\xFF \xE7\xE0\xEF\xE8\xF1\xFC - 1\r\n"));
}

}  // namespace
}  // namespace v5
