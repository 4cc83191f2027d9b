#include <gtest/gtest.h>

#include <random>

#include "tests/keys/key_desktop.h"
#include "keys/key_table.h"
#include "image/tables.h"

namespace v5 {
namespace {

using test::printedCode;
using test::storeKey;

TEST(KeyCheckByte, IsTheEighthRomByteOfTheKey) {
    // The worked example of Maxim's application note 27 (family 0x02), to pin the algorithm itself.
    const std::uint8_t an27[] = {0x02, 0x1C, 0xB8, 0x01, 0x00, 0x00, 0x00};
    EXPECT_EQ(oneWireCrc8(an27), 0xA2);
    // Family 0x01 keys, worked bit by bit: 01 1C B8 01 00 00 00 gives E5, 01 5A 3C 12 0F 00 00 gives 19.
    EXPECT_EQ(keyCheckByte({0x1C, 0xB8, 0x01, 0x00, 0x00, 0x00}), 0xE5);
    EXPECT_EQ(keyCheckByte({0x5A, 0x3C, 0x12, 0x0F, 0x00, 0x00}), 0x19);
    EXPECT_EQ(keyCheckByte({}), 0x00);  // a free record

    // Any whole ROM, check byte included, leaves the 1-Wire CRC at zero.
    std::mt19937 random(7);
    for (int n = 0; n < 200; ++n) {
        KeyCode code{};
        for (auto& b : code)
            b = static_cast<std::uint8_t>(random());
        const QByteArray rom = test::romOf(code);
        EXPECT_EQ(oneWireCrc8(std::span(reinterpret_cast<const std::uint8_t*>(rom.constData()), 8)), 0);
    }

    Image image;
    storeKey(image, 989, {0x1C, 0xB8, 0x01, 0x00, 0x00, 0x00}, 0xFF);
    EXPECT_EQ(image.byte(0x03DD), 0xE5);  // the last check byte, right before the key table
    EXPECT_EQ(image.byte(0x22CC), 0xFF);  // the last record's assignment byte
}

TEST(KeyList, LinesInTheFixedColumns) {
    const struct {
        std::uint8_t assignment;
        std::uint8_t tarnia;
        const char* line;
    } cases[] = {
        {0x04, 2, "Ключ 008 - abcdef012345   зона  005       003"},
        {0x3F, 14, "Ключ 008 - abcdef012345   зона  064       015"},
        {0x40, 0, "Ключ 008 - abcdef012345  раздел 001       001"},
        {0x7F, 0, "Ключ 008 - abcdef012345  раздел 064       001"},
        {0xFB, 11, "Ключ 008 - abcdef012345   ГЗ              012"},
        {0xFA, 9, "Ключ 008 - abcdef012345   монтер          010"},
        {0xFF, 0, "Ключ 008 - abcdef012345                   001"},
        {0x80, 255, "Ключ 008 - abcdef012345                   256"},
    };
    for (const auto& c : cases) {
        Image image;
        storeKey(image, 7, printedCode(0xABCDEF012345), c.assignment, c.tarnia);
        EXPECT_EQ(AddLine(image, 7), QString::fromUtf8(c.line)) << int(c.assignment);
    }
}

TEST(KeyList, ThreeOrdersListStoredKeysOnly) {
    Image image;
    const std::uint8_t assignments[] = {0xFF, 0x05, 0xFA, 0x40, 0x00, 0xFB, 0x05, 0x60, 0x61, 0xFF};
    for (std::size_t i = 0; i < std::size(assignments); ++i)
        storeKey(image, i, printedCode(0x100 + i), assignments[i]);
    image.record(map::KeyRecords, 20)[kAssignmentByte] = 0x05;  // a free record is never listed

    using Records = std::vector<std::size_t>;
    EXPECT_EQ(keyListRecords(image, KeyOrder::Number), (Records{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    // By assignment value 0x00 .. 0x60, then by number; installer, ГЗ and unassigned keys are left out.
    EXPECT_EQ(keyListRecords(image, KeyOrder::Zona), (Records{4, 1, 6, 3, 7}));
    EXPECT_EQ(keyListRecords(image, KeyOrder::Unused), (Records{0, 9}));

    Image installersOnly;
    storeKey(installersOnly, 3, printedCode(0x42), 0xFA);
    EXPECT_TRUE(keyListRecords(installersOnly, KeyOrder::Zona).empty());
}

TEST(KeyCodeDigits, ReadAsTheListPrintsThem) {
    EXPECT_EQ(codeFromDigits(QStringLiteral("ABCDEF012345")), printedCode(0xABCDEF012345));
    EXPECT_EQ(codeFromDigits(QStringLiteral("abcdef012345")), printedCode(0xABCDEF012345));
    // Short texts are padded with zeros; blanks and other characters count as 0.
    EXPECT_EQ(codeFromDigits(QStringLiteral("12")), printedCode(0x120000000000));
    EXPECT_EQ(codeFromDigits(QStringLiteral("1_3g5z______")), printedCode(0x103050000000));
    const QString chars = QStringLiteral("0123456789ABCDEFabcdefGz_ ");
    const int values[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9, 10, 11, 12,
                          13, 14, 15, 10, 11, 12, 13, 14, 15, 0, 0,  0,  0};
    for (qsizetype i = 0; i < chars.size(); ++i)
        EXPECT_EQ(hex2dec(chars[i]), values[i]) << chars[i].toLatin1();
}

TEST(KeyCodeDigits, TypedCodeIsTwelveHexadecimalDigitsOrNone) {
    const struct {
        const char* typed;
        std::optional<quint64> code;
        const char* problem;  // a part of the message
    } cases[] = {
        {"ABCDEF012345", 0xABCDEF012345, ""},
        {"abcdef012345", 0xABCDEF012345, ""},
        // What a Russian layout types on A B C E, either case.
        {"АВСЕ00000001", 0xABCE00000001, ""},
        {"авсе00000001", 0xABCE00000001, ""},
        {"12ab", std::nullopt, "Не хватает 8 цифр"},
        {"12345678901", std::nullopt, "Не хватает 1 цифры"},
        {"", std::nullopt, "Не хватает 12 цифр"},
        {"1234567890123", std::nullopt, "набрано 13"},
        {"12345678901g", std::nullopt, "«g»"},
        {"12345678901Д", std::nullopt, "«Д»"},
        {"000000000000", std::nullopt, "не может быть кодом ключа"},
    };
    for (const auto& c : cases) {
        const TypedKeyCode read = readTypedKeyCode(QString::fromUtf8(c.typed));
        if (c.code) {
            EXPECT_EQ(read.code, std::optional(printedCode(*c.code))) << c.typed;
            EXPECT_TRUE(read.problem.isEmpty()) << c.typed;
        } else {
            EXPECT_EQ(read.code, std::nullopt) << c.typed;
            EXPECT_TRUE(read.problem.contains(QString::fromUtf8(c.problem))) << qPrintable(read.problem);
        }
    }
    // The field takes hexadecimal digits only, and no more than twelve.
    EXPECT_TRUE(couldBeKeyCode(latinKeyDigits(QStringLiteral("Ее0"))));
    EXPECT_FALSE(couldBeKeyCode(QStringLiteral("0g")));
    EXPECT_FALSE(couldBeKeyCode(QStringLiteral("0123456789abc")));
}

QByteArray consoleBlock() {
    QByteArray block(144, '\0');
    for (int i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>(0x10 + i);
    return block;
}

TEST(ConsoleCopy, CodesLandInTheirFixedRecords) {
    Image image;
    image.fill(map::KeyRecords.offset, map::KeyRecords.count * map::KeyRecords.stride, 0x77);
    const Image before = image;
    QByteArray block = consoleBlock();
    block.replace(66, 6, QByteArray(6, '\0'));  // ГЗ code 2 is empty
    copyConsoleKeys(image, std::span<const std::uint8_t, 144>(
                               reinterpret_cast<const std::uint8_t*>(block.constData()), 144));

    const auto expectKey = [&](std::size_t record, int firstByte, std::uint8_t assignment, int number) {
        const auto key = image.record(map::KeyRecords, record);
        for (std::size_t b = 0; b < 6; ++b)
            EXPECT_EQ(key[b], static_cast<std::uint8_t>(block[firstByte + static_cast<int>(b)])) << record;
        EXPECT_EQ(key[6], assignment) << record;
        EXPECT_EQ(key[7], number) << record;
        EXPECT_EQ(image.record(map::KeyCheck, record)[0], keyCheckByte(keyCode(image, record))) << record;
    };
    for (int k = 0; k < 10; ++k)
        expectKey(960 + k, 6 * k, 0xFA, k);
    for (int k = 0; k < 12; ++k)
        expectKey(975 + k, 60 + 6 * k, 0xFB, k);
    expectKey(970, 132, 0xFA, 10);  // installer code 11, between installer code 10 and ГЗ code 1
    expectKey(971, 138, 0xFA, 11);
    EXPECT_TRUE(KeyEmpty(image, 976));
    EXPECT_EQ(image.record(map::KeyCheck, 976)[0], 0);

    // Nothing else changes, and a second copy of the same block changes nothing at all.
    for (std::size_t record : {959, 972, 973, 974, 987, 988, 989})
        EXPECT_TRUE(
            std::ranges::equal(image.record(map::KeyRecords, record), before.record(map::KeyRecords, record)))
            << record;
    EXPECT_TRUE(image.isZero(0, 960));
    const Image once = image;
    copyConsoleKeys(image, std::span<const std::uint8_t, 144>(
                               reinterpret_cast<const std::uint8_t*>(block.constData()), 144));
    EXPECT_TRUE(image == once);
}

TEST(ConsoleCopy, KnowsTheKeysItDidNotWriteItself) {
    Image image;
    const QByteArray block = consoleBlock();
    copyConsoleKeys(image, std::span<const std::uint8_t, 144>(
                               reinterpret_cast<const std::uint8_t*>(block.constData()), 144));
    EXPECT_TRUE(keysTheConsoleCopyWouldReplace(image).empty());
    image.record(map::KeyRecords, 961)[kTarniaByte] = 5;      // its monitoring number changed by the user
    image.record(map::KeyRecords, 976)[kAssignmentByte] = 0;  // made a zone key
    image.record(map::KeyCheck, 971)[0] ^= 1;                 // a check byte the copy does not write
    storeKey(image, 980, printedCode(0), 0x02);               // freed: no key to lose
    storeKey(image, 972, printedCode(0x99), 0x02);            // not one of the copy's places
    storeKey(image, 986, printedCode(0x99), 0xFB, 11);        // as the copy writes ГЗ code 12
    EXPECT_EQ(keysTheConsoleCopyWouldReplace(image), (std::vector<std::size_t>{961, 971, 976}));
}

}  // namespace
}  // namespace v5
