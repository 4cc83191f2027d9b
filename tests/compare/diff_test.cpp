#include <gtest/gtest.h>

#include <functional>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "compare/configuration_diff.h"
#include "desktop/desktop.h"
#include "outputs/ext_pane.h"
#include "outputs/indicator_pane.h"
#include "tests/support/image_builder.h"
#include "tests/support/qt_print.h"
#include "panes/install_panes.h"
#include "keys/key_card_pane.h"
#include "groups/linked_zones_pane.h"
#include "groups/loop_pane.h"
#include "outputs/line_pane.h"
#include "image/orphan_sweep.h"
#include "outputs/panel_options.h"
#include "tests/support/random_image.h"
#include "groups/razdel_pane.h"
#include "outputs/relay_pane.h"
#include "outputs/sounder_pane.h"
#include "image/tables.h"
#include "groups/zona_pane.h"

namespace v5 {
namespace {

QStringList texts(const std::vector<FieldChange>& changes) {
    QStringList out;
    for (const FieldChange& c : changes)
        out << c.text();
    return out;
}

// A configuration to change: two loop modules, a zone with its key, a relay, a communication module,
// a pass-through place and some events.
Image startingPoint() {
    Image image;
    test::placeModule(image, 1, QStringLiteral("МШС1"));
    test::placeModule(image, 2, QStringLiteral("МШС3"));
    test::placeModule(image, 3, QStringLiteral("МР3"));
    test::placeModule(image, 5, QStringLiteral("МС3"));
    image.setGroupEntry(map::kFirstZoneEntry + 0, test::loops({1, 2}));
    image.setGroupEntry(map::kFirstZoneEntry + 1, test::loops({17}));
    image.setGroupEntry(map::kFirstPassThroughEntry, test::loops({17}));
    image.setGroupEntry(map::kFirstLinkedEntry, test::loops({1}));
    const auto key = image.record(map::KeyRecords, 11);
    key[0] = 0x21;
    key[6] = 0x00;  // zone 1
    key[7] = 2;
    image.record(map::Relays, 8)[0] = 10;  // relay 9: lock
    image.record(map::Relays, 8)[9] = 30;
    image.record(map::LineModules, 2)[1] = 5;
    image.setByte(map::ArchivePointer.offset, 0x30);
    image.setByte(map::ArchivePointer.offset + 1, 0x10);
    // As the window holds it: blank values for the modules that are not placed.
    SlotCaptions captions;
    captions.bntSlotsUpdate(image);
    ClearSheet(image, captions);
    return image;
}

struct Case {
    const char* name;
    std::function<void(Desktop&)> change;
    QStringList expected;
};

void set(Desktop& d, std::size_t offset, std::uint8_t value) {
    d.image().setByte(offset, value);
}

class DiffTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
};

TEST_F(DiffTest, EverySubsystemChangeReadsInThePanesTerms) {
    const auto loop17 = map::LoopParams.at(16);
    const Case cases[] = {
        {"a module placed through the slot menu",
         [](Desktop& d) {
             d.btnSlotContextPopup(4);
             d.miClick(QStringLiteral("МШС2"));
         },
         {QStringLiteral("слот 4: пусто → МШС2")}},
        {"a module replaced by one the panel does not know",
         [](Desktop& d) { d.image().record(map::SlotTable, 2)[0] = 7; },
         {QStringLiteral("слот 3: МР3 → неизвестный модуль (вид 7, номер 3)")}},
        {"a slot's number byte behind an empty kind",
         [](Desktop& d) { set(d, map::SlotTable.at(9) + 1, 5); },
         {QStringLiteral("слот 10: байты 00 00 → 00 05")}},
        {"a loop made a fire loop in the loop pane",
         [](Desktop& d) {
             d.Parameter(QStringLiteral("МШС3"));  // loop 17 on the first tab
             d.pane<LoopPane>()->rgTSClick(static_cast<int>(LoopTypeItem::Fire));
             d.ClearDesktop();
         },
         {QStringLiteral("шлейф 17: тип охранный → пожарный"),
          QStringLiteral("шлейф 17: время реакции 60 мс → 250 мс"),
          QStringLiteral("шлейф 17: круглосуточный нет → да")}},
        {"a loop switched off in the loop pane",
         [](Desktop& d) {
             d.Parameter(QStringLiteral("МШС3"));
             d.pane<LoopPane>()->rgTSClick(static_cast<int>(LoopTypeItem::Off));
             d.ClearDesktop();
         },
         {QStringLiteral("шлейф 17: тип охранный → отключен")}},
        {"a loop's timings, options and bits no pane writes",
         [&](Desktop& d) {
             set(d, loop17, 0x6F);
             set(d, loop17 + 1, 0xCF);
         },
         {QStringLiteral("шлейф 17: время реакции 60 мс → 250 мс"),
          QStringLiteral("шлейф 17: задержка нет → 60 с"),
          QStringLiteral("шлейф 17: подтверждение снятия нет → 3 мин"),
          QStringLiteral("шлейф 17: выделение сработки нет → 1 извещатель"),
          QStringLiteral("шлейф 17: лимит сработок нет → да"),
          QStringLiteral("шлейф 17: подтверждение звуком взятия/снятия нет → да"),
          QStringLiteral("шлейф 17: круглосуточный нет → да"),
          QStringLiteral("шлейф 17: верификация нет → да"),
          QStringLiteral("шлейф 17: контроль тампера нет → да"),
          QStringLiteral("шлейф 17: неиспользуемые биты 00 00 00 → 00 C0 00")}},
        {"a zone's loops in the zone pane",
         [](Desktop& d) {
             auto* zones = d.pane<ZonaPane>();
             zones->mGRZonaClick();  // zone 1 shown
             zones->ZoneClick(1, false);
             for (int loop : {5, 6, 7})
                 zones->ZoneClick(loop, true);
         },
         // The linked loop 1 left zone 1, so the pass-through zone has no linked zone any more.
         {QStringLiteral("зона 1: - шлейф 1"), QStringLiteral("зона 1: + шлейфы 5-7"),
          QStringLiteral("место проходной зоны 1: связанные зоны 1 → нет")}},
        {"a new zone and a partition of two zones",
         [](Desktop& d) {
             auto* zones = d.pane<ZonaPane>();
             zones->mGRZonaClick();
             zones->Button2Click();  // zone 3
             zones->ZoneClick(5, true);
             auto* razdels = d.pane<RazdelPane>();
             razdels->mGRRazdelClick();
             razdels->Button10Click();  // partition 1
             razdels->qClick(1, true);
             razdels->qClick(3, true);
         },
         {QStringLiteral("зона 3: + шлейф 5"), QStringLiteral("раздел 1: + шлейфы 1-2,5")}},
        {"a linked zone added in the linked-zone pane",
         [](Desktop& d) {
             auto* zones = d.pane<ZonaPane>();
             zones->mGRZonaClick();
             zones->Button2Click();  // zone 3
             zones->ZoneClick(18, true);
             auto* linked = d.pane<LinkedZonesPane>();
             linked->mGRSZonaClick();
             linked->selectRow(1);  // zone 2, the pass-through zone
             linked->wClick(3, true);
             d.ClearDesktop();
         },
         {QStringLiteral("зона 3: + шлейф 18"),
          QStringLiteral("место проходной зоны 1: связанные зоны 1 → 1, 3")}},
        {"a pass-through zone given another loop in the zone pane",
         [](Desktop& d) {
             auto* zones = d.pane<ZonaPane>();
             zones->mGRZonaClick();
             zones->selectRow(1);  // zone 2
             zones->ZoneClick(20, true);
         },
         {QStringLiteral("зона 2: + шлейф 20"),
          QStringLiteral("место проходной зоны 1: зона 2 → не совпадает ни с одной зоной")}},
        {"a key made the installer's on its card",
         [](Desktop& d) {
             d.pane<KeyCardPane>()->showRecord(11);
             d.pane<KeyCardPane>()->rgFunctionClick(KeyCardPane::Monter);
             d.ClearDesktop();
         },
         {QStringLiteral("ключ 012: назначение зона 1 → монтер")}},
        {"a key's number for the monitoring system picked on its card",
         [](Desktop& d) {
             auto* card = d.pane<KeyCardPane>();
             card->showRecord(11);
             card->LabelTarniaClick();
             card->rgTarniaNmbClick(14);
             d.ClearDesktop();
         },
         {QStringLiteral("ключ 012: номер для СПИ 3 → 15")}},
        {"a key added and another deleted on the card",
         [](Desktop& d) {
             auto* card = d.pane<KeyCardPane>();
             card->ViewKeyParameter({0x01, 0x00, 0x0F, 0, 0, 0, 0, 0});
             card->showRecord(11);
             card->bDeleteClick();
         },
         {QStringLiteral("ключ 001: + код 000000000F00, зона 1, номер для СПИ 1"),
          QStringLiteral("ключ 012: - код 000000000021")}},
        {"a key's code and check byte as no pane writes them",
         [](Desktop& d) {
             set(d, map::KeyRecords.at(11) + 5, 0xAB);
             set(d, map::KeyCheck.at(11), 0x3C);
         },
         {QStringLiteral("ключ 012: код 000000000021 → AB0000000021"),
          QStringLiteral("ключ 012: контрольный байт 00 → 3C")}},
        {"what free key records keep",
         [](Desktop& d) {
             set(d, map::KeyRecords.at(40) + 6, 0xFF);
             set(d, map::KeyRecords.at(41) + 7, 3);
         },
         {QStringLiteral(
             "свободные записи ключей: изменены остатки прежних ключей (назначение, номер для СПИ, "
             "контрольный байт): 2")}},
        {"a relay's mode, time, tamper control and loops, through its pane",
         [](Desktop& d) {
             d.Parameter(QStringLiteral("МР3"));  // relay 9 on the first tab
             auto* relays = d.pane<RelayPane>();
             relays->rgReleModeClick(12);
             relays->rgReleTimeClick(9);
             relays->cbInternalClick(true);
             relays->cRClick(4, true);
             d.ClearDesktop();
         },
         {QStringLiteral("реле 9: режим (замок) → (свет)"),
          QStringLiteral("реле 9: время работы 30 с → без ограничения"),
          QStringLiteral("реле 9: контроль тампера ГБ-5 нет → да"), QStringLiteral("реле 9: + шлейф 4")}},
        {"indicators of an access module and of an external one, through their panes",
         [](Desktop& d) {
             d.btnSlotContextPopup(6);
             d.miClick(QStringLiteral("МД3"));
             d.Parameter(QStringLiteral("МД3"));
             auto* indicators = d.pane<IndicatorPane>();
             indicators->tnUDChange(4);
             indicators->cUDClick(4, true);
             d.pane<ExtPane>()->mExtClick();
             d.pane<ExtPane>()->cbMDVClick(2, true);
             d.Parameter(QStringLiteral("МДВ2"));
             indicators->cUDClick(1, true);
             indicators->cUDClick(17, true);
             d.ClearDesktop();
         },
         {QStringLiteral("слот 6: пусто → МД3"), QStringLiteral("МД3 индикатор 5: + шлейф 4"),
          QStringLiteral("внешние модули: + МДВ2"), QStringLiteral("МДВ2 индикатор 1: + шлейфы 1,17")}},
        {"a communication module's address and loop modules, through its pane",
         [](Desktop& d) {
             d.Parameter(QStringLiteral("МС3"));
             auto* line = d.pane<LinePane>();
             line->MaskEdit1Change(QStringLiteral("201"));
             line->tzClick(3, true);
             d.ClearDesktop();
         },
         {QStringLiteral("МС3: адрес 005 → 201"), QStringLiteral("МС3: + МШС3")}},
        {"sounders, through their pane",
         [](Desktop& d) {
             auto* sounders = d.pane<SounderPane>();
             sounders->mZOClick();
             sounders->durationClick(0, SounderPane::Alarm, 6);
             sounders->optionClick(1, 0, true);
             sounders->TabbedNotebook4Change(2);
             sounders->cbZO1Click(17, true);
             d.ClearDesktop();
         },
         {QStringLiteral("Реле СЗО: при тревоге отключено → 2 мин."),
          QStringLiteral("ВЗО на ГБ-5: дублировать реле СЗО при тревоге нет → да"),
          QStringLiteral("ЗО на ВТ-5 (шлейфы 1-32): + шлейф 17")}},
        {"durations and bits no pane writes",
         [](Desktop& d) {
             set(d, map::Sounders.at(3) + 8, 7);
             set(d, map::Sounders.at(3) + 11, 0x80);
             set(d, map::Relays.at(8), 0x3A);
         },
         {QStringLiteral("реле 9: неиспользуемые биты 00 → 30"),
          QStringLiteral("Реле СЗО: при неисправности отключено → 7 сек."),
          QStringLiteral("Реле СЗО: неиспользуемые биты 00 → 80")}},
        {"panel options and external modules through their panes",
         [](Desktop& d) {
             d.pane<PanelOptions>()->cbAvtovziatieClick(true);
             d.pane<ExtPane>()->mExtClick();
             d.pane<ExtPane>()->cbMKClick(2, true);
             d.pane<ExtPane>()->cbMDVClick(4, true);
         },
         {QStringLiteral("опции прибора: автовзятие шлейфов нет → да"),
          QStringLiteral("внешние модули: + МДВ4"), QStringLiteral("внешние модули: + МК2")}},
        {"the access code, the panel's own bytes and the archive",
         [](Desktop& d) {
             d.image().setWordLE(map::AccessCode.offset, 0x1234);
             set(d, 0x2D00, 1);
             set(d, map::ArchivePointer.offset + 1, 0x20);
             set(d, map::Archive.at(3), 9);
             set(d, map::Archive.at(3) + 15, 9);
             set(d, map::Archive.at(1279), 9);
         },
         {QStringLiteral("код доступа: изменен"),
          QStringLiteral("служебная область: изменено байт: 1, первый по адресу 0x2D00"),
          QStringLiteral("архив событий: позиция записи 0x3010 → 0x3020"),
          QStringLiteral("архив событий: изменено записей: 2")}},
    };
    const Image start = startingPoint();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Desktop desktop(prompts, dir.path());
        installPanes(desktop);
        desktop.acceptReadImage(start.bytes());
        ASSERT_EQ(desktop.image(), start);
        c.change(desktop);
        EXPECT_EQ(texts(compareConfigurations(start, desktop.image())), c.expected);
    }
}

TEST_F(DiffTest, ListsAreGroupedBySubsystemAndReadableByScripts) {
    const Image start = startingPoint();
    Image changed = start;
    changed.setByte(map::Archive.at(0), 1);
    changed.setByte(map::KeyRecords.at(11) + 6, 0xFB);
    changed.setByte(map::LoopParams.at(0) + 1, 0x30);
    test::placeModule(changed, 4, QStringLiteral("МР1"));
    const auto changes = compareConfigurations(start, changed);
    EXPECT_EQ(differenceLines(changes),
              (QStringList{QStringLiteral("Модули в слотах:"), QStringLiteral("  слот 4: пусто → МР1"),
                           QStringLiteral("Шлейфы и группы:"),
                           QStringLiteral("  шлейф 1: тип охранный → контрольный"), QStringLiteral("Ключи:"),
                           QStringLiteral("  ключ 012: назначение зона 1 → ГЗ"), QStringLiteral("Прочее:"),
                           QStringLiteral("  архив событий: изменено записей: 1")}));

    const QJsonArray json = QJsonDocument::fromJson(differenceJson(changes)).array();
    ASSERT_EQ(json.size(), 4);
    const QJsonObject key = json.at(2).toObject();
    EXPECT_EQ(key.value(QStringLiteral("subsystem")).toString(), QStringLiteral("keys"));
    EXPECT_EQ(key.value(QStringLiteral("kind")).toString(), QStringLiteral("changed"));
    EXPECT_EQ(key.value(QStringLiteral("subject")).toString(), QStringLiteral("ключ 012"));
    EXPECT_EQ(key.value(QStringLiteral("field")).toString(), QStringLiteral("назначение"));
    EXPECT_EQ(key.value(QStringLiteral("before")).toString(), QStringLiteral("зона 1"));
    EXPECT_EQ(key.value(QStringLiteral("after")).toString(), QStringLiteral("ГЗ"));
    EXPECT_EQ(json.at(3).toObject().value(QStringLiteral("kind")).toString(), QStringLiteral("note"));
    EXPECT_EQ(QJsonDocument::fromJson(differenceJson({})).array().size(), 0);

    // The panel's check compares what it was sent: the archive is not part of it.
    EXPECT_EQ(compareConfigurations(start, changed, CompareScope::ConfigurationArea).size(), 3u);
}

// Whatever byte differs, the list says so: an empty list means equal images.
TEST_F(DiffTest, NoChangedByteGoesUnmentioned) {
    for (std::uint32_t seed = 1; seed <= 2; ++seed) {
        const Image image = test::randomImage(seed);
        EXPECT_TRUE(compareConfigurations(image, image).empty());
        test::RandomBytes random(seed);
        Image changed = image;
        for (std::size_t at = 0; at < Image::kSize; at += (at < kConfigAreaSize ? 1 : 97)) {
            changed.setByte(at, static_cast<std::uint8_t>(image.byte(at) ^ (1U << random.below(8))));
            const auto scope =
                at < kConfigAreaSize ? CompareScope::ConfigurationArea : CompareScope::WholeImage;
            ASSERT_FALSE(compareConfigurations(image, changed, scope).empty())
                << "byte " << at << " image " << seed;
            changed.setByte(at, image.byte(at));
        }
    }
}

}  // namespace
}  // namespace v5
