#include "tests/card/card_image.h"

#include "image/records.h"
#include "tests/support/image_builder.h"

namespace v5::test {

using namespace config;

Image cardImage() {
    Image image;
    for (const auto& [slot, module] : {std::pair{1, "МШС1"}, {2, "МР1"}, {3, "МД1"}, {4, "МС1"}, {6, "МШС3"}})
        placeModule(image, slot, QString::fromUtf8(module));
    for (std::size_t l = 0; l < kLoopCount; ++l)
        kBlankLoop.encode(image, l);
    LoopRecord entrance;
    entrance.setType(LoopTypeCode::Pozharnyi);
    entrance.setDelayCode(1);
    entrance.setReactionCode(2);
    entrance.setRoundTheClock(true);
    entrance.setTamperControl(true);
    entrance.encode(image, 0);
    LoopRecord guarded;
    guarded.setConfirmationCode(2);
    guarded.setTwoDetectors(true);
    guarded.encode(image, 2);
    entrance.encode(image, 8);  // loop 9, of МШС2, which is not in the rack

    GroupEntry{loops({1, 2, 3})}.encode(image, 0);
    GroupEntry{loops({5})}.encode(image, 1);
    GroupEntry{loops({1, 2, 3, 5})}.encode(image, 64);  // partition 1

    Key first;
    first.setCode({1, 2, 3, 4, 5, 6});
    first.assignment = KeyAssignment::ofZona(1);
    first.spiByte = 2;
    first.encode(image, 0);
    Key installer;
    installer.setCode({0xAA, 0, 0, 0, 0, 0});
    installer.assignment = KeyAssignment{kMonterAssignment};
    installer.encode(image, 4);

    Relay{Relay::modeByte(10, true, false), loops({1}), 20}.encode(image, 1);
    IndicatorEntry{loops({3})}.encode(image, 2);                    // МД1 indicator 3
    IndicatorEntry{loops({4})}.encode(image, 8);                    // МД2, not in the rack
    IndicatorEntry{loops({2})}.encode(image, kIndicatorCount + 8);  // МДВ2 indicator 1
    IndicatorEntry{loops({6})}.encode(image, kIndicatorCount);      // МДВ1, not present
    LineModule{0b101, 17}.encode(image, 0);
    Sounder szo;
    szo.loops = loops({1});
    szo.alarmDuration = 30;
    szo.faultDuration = kNoTimeLimit;
    szo.options = 0b1001;  // the СЗО relay repeats nothing: bit 0 is not shown
    szo.encode(image, static_cast<std::size_t>(SounderOutput::SzoRelay));
    Sounder vzo;
    vzo.options = 0b1;
    vzo.encode(image, static_cast<std::size_t>(SounderOutput::VzoGB5));
    PanelOptionByte{0x01}.encode(image);
    ExternalModules{0x12}.encode(image);  // МДВ2, БИ1
    return image;
}

SiteNames cardNames() {
    SiteNames names;
    names.site = {QStringLiteral("Склад №2"), QStringLiteral("ул. Лесная, 5"), QStringLiteral("ООО Ромашка"),
                  QString(), QStringLiteral("ключи у охраны\nвход со двора")};
    names.loops[1] = QStringLiteral("Вход");
    names.zones[1] = QStringLiteral("Склад");
    names.partitions[1] = QStringLiteral("Первый этаж");
    names.keys[1] = {QStringLiteral("Иванов"), QStringLiteral("запасной")};
    names.relays[2] = QStringLiteral("Сирена");
    return names;
}

}  // namespace v5::test
