#include <gtest/gtest.h>

#include <functional>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "image/configuration.h"
#include "compare/configuration_check.h"
#include "tests/support/image_builder.h"
#include "tests/support/qt_print.h"
#include "image/orphan_sweep.h"
#include "tests/support/random_image.h"
#include "image/tables.h"

namespace v5 {
namespace {

void setKey(Image& image, int number, config::KeyCode code, std::uint8_t assignment, std::uint8_t spi) {
    const auto record = image.record(map::KeyRecords, static_cast<std::size_t>(number - 1));
    std::copy(code.begin(), code.end(), record.begin());
    record[6] = assignment;
    record[7] = spi;
    image.setByte(map::KeyCheck.at(static_cast<std::size_t>(number - 1)), config::keyCheckByte(code));
}

// A configuration with something of every kind and nothing wrong: two loop modules, a relay module, an
// access module and two communication modules sharing МШС1 through the address 254; zones, a
// partition, a pass-through zone; keys of a zone, a partition and the installer; blank data for every
// module not in the rack, as the sweep leaves it.
Image cleanImage() {
    Image image;
    const char16_t* modules[] = {u"МШС1", u"МШС2", u"МР1", u"МД1", u"МС1", u"МС2"};
    for (int s = 1; s <= 6; ++s)
        test::placeModule(image, s, QString::fromUtf16(modules[s - 1]));
    SlotCaptions captions;
    captions.bntSlotsUpdate(image);
    ClearSheet(image, captions);
    setZonaMask(image, 1, test::loops({1, 2}));
    setZonaMask(image, 2, test::loops({9}));
    setZonaMask(image, 3, test::loops({10}));
    setRazdelMask(image, 1, test::loops({1, 2, 9}));
    setPassThroughRecord(image, 1, test::loops({9}));
    setLinkedMask(image, 1, test::loops({1, 2}));
    setKey(image, 1, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06}, 0x00, 0);
    setKey(image, 2, {0x11, 0x12, 0x13, 0x14, 0x15, 0x16}, 0x40, 14);
    setKey(image, 3, {0x21, 0, 0, 0, 0, 0x26}, 0xFA, 4);
    image.record(map::LineModules, 0)[0] = 0x01;
    image.record(map::LineModules, 0)[1] = 5;
    image.record(map::LineModules, 1)[0] = 0x03;
    image.record(map::LineModules, 1)[1] = 254;
    image.record(map::Relays, 0)[0] = 0x4A;
    image.setLoopMask(map::Relays.at(0) + 1, test::loops({1, 16}));
    image.setLoopMask(map::Indicators.at(3), test::loops({9}));
    image.setLoopMask(map::Sounders.at(3), test::loops({2}));
    image.record(map::LoopParams, 3)[1] = 0x10;
    return image;
}

struct RuleCase {
    const char* name;
    std::function<void(Image&)> change;
    QStringList expected;  // empty: the change is fine
};

QStringList checked(const Image& image) {
    return problemLines(checkConfiguration(image));
}

TEST(ConfigurationCheck, ACleanConfigurationHasNoProblems) {
    EXPECT_EQ(checked(cleanImage()), QStringList());
}

TEST(ConfigurationCheck, EveryRuleFindsItsMistakeAndOnlyThat) {
    const RuleCase cases[] = {
        {"a loop in two zones",
         [](Image& i) {
             setZonaMask(i, 3, test::loops({9, 10}));
         },
         {QStringLiteral("ошибка: шлейф 9: входит в несколько зон: 2, 3")}},
        {"zones that share no loop",
         [](Image& i) {
             setZonaMask(i, 3, test::loops({10, 11}));
         },
         {}},

        {"two keys with one code and one use",
         [](Image& i) {
             setKey(i, 100, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06}, 0x00, 0);
         },
         {QStringLiteral("предупреждение: ключи 001, 100: одинаковый код 060504030201")}},
        {"two keys with one code and different uses",
         [](Image& i) {
             setKey(i, 100, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06}, 0xFA, 0);
         },
         {QStringLiteral("ошибка: ключи 001, 100: одинаковый код 060504030201 при разном назначении или "
                         "номере для СПИ")}},
        {"codes that differ in one byte",
         [](Image& i) {
             setKey(i, 100, {0x01, 0x02, 0x03, 0x04, 0x05, 0x07}, 0, 0);
         },
         {}},

        {"a check byte that does not match",
         [](Image& i) { i.setByte(map::KeyCheck.at(0), 0x00); },
         {QStringLiteral("ошибка: ключ 001: контрольный байт 00 не соответствует коду (нужен ") +
          QStringLiteral("%1")
              .arg(config::keyCheckByte({1, 2, 3, 4, 5, 6}), 2, 16, QLatin1Char('0'))
              .toUpper() +
          QLatin1Char(')')}},
        {"a deleted key keeps its old check byte", [](Image& i) { i.fill(map::KeyRecords.at(0), 6, 0); }, {}},

        {"a key of a zone without loops",
         [](Image& i) { i.setByte(map::KeyRecords.at(0) + 6, 4); },
         {QStringLiteral("предупреждение: ключ 001: назначен зоне 5, которой нет")}},
        {"a key of a partition without loops",
         [](Image& i) { i.setByte(map::KeyRecords.at(1) + 6, 0x42); },
         {QStringLiteral("предупреждение: ключ 002: назначен разделу 3, которого нет")}},
        {"a key of pass-through record 1, which is in use",
         [](Image& i) { i.setByte(map::KeyRecords.at(1) + 6, 0x60); },
         {QStringLiteral("предупреждение: ключ 002: назначение 0x60 указывает на место проходной зоны 1, а "
                         "не на зону или раздел (список ключей покажет \"раздел 33\")")}},
        {"a key of a free pass-through record",
         [](Image& i) { i.setByte(map::KeyRecords.at(1) + 6, 0x67); },
         {QStringLiteral("предупреждение: ключ 002: назначение 0x67 указывает на место проходной зоны 8, а "
                         "не на зону или раздел (список ключей покажет \"раздел 40\"); это место "
                         "свободно, следующая очистка снимет назначение")}},
        {"a key of the linked zones of place 1",
         [](Image& i) { i.setByte(map::KeyRecords.at(1) + 6, 0x68); },
         {QStringLiteral("предупреждение: ключ 002: назначение 0x68 указывает на связанные зоны места 1, а "
                         "не на зону или раздел (список ключей покажет \"раздел 41\")")}},
        {"a key past the group table",
         [](Image& i) { i.setByte(map::KeyRecords.at(1) + 6, 0x7F); },
         {QStringLiteral("ошибка: ключ 002: назначение 0x7F указывает за конец таблицы групп (список "
                         "ключей покажет \"раздел 64\")")}},
        {"a key of an unknown kind",
         [](Image& i) { i.setByte(map::KeyRecords.at(1) + 6, 0x90); },
         {QStringLiteral("ошибка: ключ 002: неизвестное назначение 0x90")}},
        {"a key of an existing zone", [](Image& i) { i.setByte(map::KeyRecords.at(0) + 6, 2); }, {}},
        {"a monitoring number above 15",
         [](Image& i) { i.setByte(map::KeyRecords.at(0) + 7, 15); },
         {QStringLiteral("предупреждение: ключ 001: номер для СПИ 16 вне 1..15; окно его не покажет, "
                         "прибор может не передать")}},
        {"the highest monitoring number", [](Image& i) { i.setByte(map::KeyRecords.at(0) + 7, 14); }, {}},

        {"a free record with an assignment written",
         [](Image& i) {
             i.setByte(map::KeyRecords.at(500) + 6, 0xFB);
             i.setByte(map::KeyRecords.at(501) + 7, 3);
         },
         {QStringLiteral("предупреждение: ключ 501: запись свободна (код 0), но назначение или номер для СПИ "
                         "записаны"),
          QStringLiteral("предупреждение: ключ 502: запись свободна (код 0), но назначение или номер для СПИ "
                         "записаны")}},
        {"free records as new or deleted",
         [](Image& i) {
             i.setByte(map::KeyRecords.at(500) + 6, 0xFF);
             i.setByte(map::KeyRecords.at(501) + 6, 0x00);
         },
         {}},

        {"data of modules that are not placed",
         [](Image& i) {
             setZonaMask(i, 1, test::loops({1, 2, 30}));
             i.record(map::LoopParams, 29)[2] = 0;
             i.record(map::Relays, 17)[9] = 5;
             i.record(map::LineModules, 3)[1] = 0;
             i.setLoopMask(map::Indicators.at(8), test::loops({1}));
         },
         {QStringLiteral("предупреждение: МШС4: не установлен, но его данные есть (параметры шлейфов, зоны); "
                         "следующая очистка их сотрет"),
          QStringLiteral(
              "предупреждение: МС4: не установлен, но его данные есть (своя запись); следующая очистка "
              "их сотрет"),
          QStringLiteral("предупреждение: МД2: не установлен, но его данные есть (индикаторы); следующая "
                         "очистка их сотрет"),
          QStringLiteral(
              "предупреждение: МР5: не установлен, но его данные есть (реле); следующая очистка их "
              "сотрет")}},
        {"the same data with its module placed",
         [](Image& i) {
             test::placeModule(i, 7, QStringLiteral("МШС4"));
             setZonaMask(i, 1, test::loops({1, 2, 30}));
             i.record(map::LoopParams, 29)[2] = 0;
         },
         {}},

        {"a pass-through record that matches no zone",
         [](Image& i) {
             setPassThroughRecord(i, 1, test::loops({9, 10}));
         },
         {QStringLiteral("предупреждение: место проходной зоны 1: не совпадает ни с одной зоной")}},
        {"linked loops of a free place",
         [](Image& i) { setLinkedMask(i, 2, test::loops({1})); },
         {QStringLiteral("предупреждение: место проходной зоны 2: связанные шлейфы без проходной зоны")}},
        {"a partition with loops of no zone",
         [](Image& i) {
             setRazdelMask(i, 1, test::loops({1, 2, 9, 11, 12}));
         },
         {QStringLiteral("предупреждение: раздел 1: не входят ни в одну зону: шлейфы 11-12")}},

        {"two communication modules on one loop module",
         [](Image& i) { i.record(map::LineModules, 1)[1] = 7; },
         {QStringLiteral("ошибка: МШС1: обслуживают МС1, МС2 (ни у одного нет адреса 254)")}},
        {"an address the panel does not accept",
         [](Image& i) { i.record(map::LineModules, 0)[1] = 202; },
         {QStringLiteral("ошибка: МС1: адрес 202 вне допустимых значений (000-201, 241, 254, 255)")}},
        {"the other accepted addresses",
         [](Image& i) {
             i.record(map::LineModules, 0)[1] = 241;
             i.record(map::LineModules, 1)[1] = 0;
             i.record(map::LineModules, 1)[0] = 0x02;
         },
         {}},
        {"a placed communication module with address 255",
         [](Image& i) {
             i.record(map::LineModules, 1)[1] = 255;
             i.record(map::LineModules, 1)[0] = 0x02;
         },
         {QStringLiteral("предупреждение: МС2: установлен, но его адрес 255 (так отмечен модуль, которого "
                         "нет)")}},

        {"a pass-through zone inside its own linked mask",
         [](Image& i) {
             setLinkedMask(i, 1, test::loops({1, 9}));
         },
         {QStringLiteral("ошибка: место проходной зоны 1: проходная зона связана сама с собой (шлейф 9)")}},
        {"a pass-through zone linked to another pass-through zone",
         [](Image& i) {
             setPassThroughRecord(i, 2, test::loops({10}));
             setLinkedMask(i, 2, test::loops({9}));
         },
         {QStringLiteral("ошибка: место проходной зоны 2: связана с проходной зоной места 1 (шлейф 9); "
                         "проходная зона не может быть связанной")}},
        {"one pass-through zone held in two places",
         [](Image& i) {
             setPassThroughRecord(i, 3, test::loops({9}));
             setLinkedMask(i, 3, test::loops({10}));
         },
         {QStringLiteral("ошибка: места проходной зоны 1, 3: хранят одну и ту же проходную зону (шлейф 9)")}},
        {"two pass-through zones, each linked to an ordinary zone",
         [](Image& i) {
             setPassThroughRecord(i, 2, test::loops({10}));
             setLinkedMask(i, 2, test::loops({1, 2}));
         },
         {}},

        {"an access code with a digit the box cannot type",
         [](Image& i) { i.setWordLE(map::AccessCode.offset, 0x12A4); },
         {QStringLiteral("ошибка: код доступа: 12A4 содержит не десятичную цифру: такой код нельзя ввести, и "
                         "файл с ним потом не откроется")}},
        {"an access code of decimal digits",
         [](Image& i) { i.setWordLE(map::AccessCode.offset, 0x9909); },
         {}},

        {"a loop record with bits no field shows",
         [](Image& i) { i.record(map::LoopParams, 3)[2] = 0x21; },
         {QStringLiteral("предупреждение: шлейф 4: биты, которых не показывает ни одно поле: 00 00 01")}},
        {"a loop record with every shown field set",
         [](Image& i) {
             const auto loop = i.record(map::LoopParams, 3);
             loop[0] = 0xFF;
             loop[1] = 0x3F;
             loop[2] = 0xE0;
         },
         {}},
        {"relay mode bits 4-5 and a run time off the list",
         [](Image& i) {
             i.record(map::Relays, 1)[0] = 0x13;
             i.record(map::Relays, 1)[9] = 7;
         },
         {QStringLiteral("предупреждение: реле 2: биты 4-5 режима установлены (байт режима 0x13)"),
          QStringLiteral("предупреждение: реле 2: время работы 7 с не из списка; окно покажет ближайшее "
                         "большее")}},
        {"relay tamper bits and a run time of the list",
         [](Image& i) {
             i.record(map::Relays, 1)[0] = 0xC3;
             i.record(map::Relays, 1)[9] = 240;
         },
         {}},
        {"a sounder duration off the list",
         [](Image& i) { i.record(map::Sounders, 3)[9] = 15; },
         {QStringLiteral("предупреждение: Реле СЗО: при тревоге: длительность 15 сек. не из списка; окно "
                         "покажет ближайшую большую")}},
        {"sounder durations of the list",
         [](Image& i) {
             i.record(map::Sounders, 0)[8] = 255;
             i.record(map::Sounders, 3)[10] = 180;
         },
         {}},

        {"console places as the console copy leaves them",
         [](Image& i) {
             setKey(i, 961, {0x31, 0, 0, 0, 0, 0x36}, 0xFA, 0);
             setKey(i, 962, {}, 0xFA, 1);  // an empty console place
             setKey(i, 987, {}, 0xFB, 11);
             setKey(i, 976, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06}, 0xFB, 0);  // key 001's code as well
         },
         {}},
        {"a console place with a number the copy does not write",
         [](Image& i) { setKey(i, 962, {}, 0xFA, 5); },
         {QStringLiteral("предупреждение: ключ 962: запись свободна (код 0), но назначение или номер для "
                         "СПИ записаны")}},

        {"a slot of an unknown kind",
         [](Image& i) { i.record(map::SlotTable, 6)[0] = 5; },
         {QStringLiteral("ошибка: слот 7: неизвестный вид модуля 5")}},
        {"a slot with a number its kind does not have",
         [](Image& i) {
             i.record(map::SlotTable, 6)[0] = 3;
             i.record(map::SlotTable, 6)[1] = 8;
         },
         {QStringLiteral("ошибка: слот 7: номер модуля 9 вне 1..8 для МШС")}},
        {"an empty slot with a number byte", [](Image& i) { i.record(map::SlotTable, 6)[1] = 3; }, {}},
        {"a module in two slots",
         [](Image& i) { test::placeModule(i, 7, QStringLiteral("МШС1")); },
         {QStringLiteral("ошибка: МШС1: стоит в нескольких слотах: 1, 7")}},
        {"one more module", [](Image& i) { test::placeModule(i, 7, QStringLiteral("МШС3")); }, {}},
    };
    const Image clean = cleanImage();
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.name);
        Image image = clean;
        c.change(image);
        EXPECT_EQ(checked(image), c.expected);
    }
}

TEST(ConfigurationCheck, ErrorsComeFirstAndDecideTheResult) {
    Image image = cleanImage();
    setLinkedMask(image, 2, test::loops({1}));  // a warning
    image.record(map::SlotTable, 6)[0] = 5;     // an error, found later in the list
    const auto problems = checkConfiguration(image);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].severity, Problem::Severity::Error);
    EXPECT_TRUE(hasErrors(problems));
    EXPECT_FALSE(hasErrors({problems[1]}));
    const QJsonArray json = QJsonDocument::fromJson(problemJson(problems)).array();
    ASSERT_EQ(json.size(), 2);
    EXPECT_EQ(json.at(0).toObject().value(QStringLiteral("severity")).toString(), QStringLiteral("error"));
    EXPECT_EQ(json.at(0).toObject().value(QStringLiteral("subsystem")).toString(), QStringLiteral("slots"));
    EXPECT_EQ(json.at(1).toObject().value(QStringLiteral("line")).toString(), problems[1].line());
}

// The check warns about a module's data exactly when the orphan sweep would erase some.
TEST(ConfigurationCheck, WarnsOfWhatTheSweepWouldEraseAndOfNothingElse) {
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        Image image = test::randomImage(seed);
        // Some images without any leftovers: swept once beforehand.
        SlotCaptions captions;
        captions.bntSlotsUpdate(image);
        if (seed % 3 == 0) ClearSheet(image, captions);
        Image swept = image;
        ClearSheet(swept, captions);
        // The sweep's other step, unassigning keys, is the check's key rule.
        for (std::size_t k = 0; k < map::KeyRecords.count; ++k)
            swept.setByte(map::KeyRecords.at(k) + 6, image.byte(map::KeyRecords.at(k) + 6));
        bool warned = false;
        for (const Problem& p : checkConfiguration(image))
            warned = warned || p.text.startsWith(QStringLiteral("не установлен"));
        EXPECT_EQ(warned, swept != image) << "image " << seed;
    }
}

}  // namespace
}  // namespace v5
