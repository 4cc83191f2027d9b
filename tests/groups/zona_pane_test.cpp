#include "tests/groups/group_fixture.h"
#include "image/tables.h"
#include "groups/zona_pane.h"

namespace v5 {
namespace {

class ZonaPaneTest : public test::GroupFixture {
protected:
    ZonaPane& pane() { return *desktop.pane<ZonaPane>(); }
    QStringList listed() { return pane().list().items(); }
    QString selected() { return pane().list().hasSelection() ? pane().list().selectedText() : QString(); }
    void open() { desktop.runCommand(QStringLiteral("mGRZona")); }
};

TEST_F(ZonaPaneTest, NewZoneGetsItsLoopsFromTheGridOnEveryClick) {
    place(1, u"МШС1");
    place(2, u"МШС2");
    open();
    EXPECT_TRUE(desktop.isPaneVisible(QStringLiteral("gbZona")));
    EXPECT_TRUE(listed().isEmpty());
    pane().ZoneClick(1, true);  // no zone selected: the click does nothing
    EXPECT_FALSE(pane().grid().isTicked(1));
    EXPECT_TRUE(image().isZero(map::Zones.offset, map::Zones.size()));

    pane().Button2Click();
    EXPECT_EQ(listed(), QStringList{QStringLiteral("1")});
    EXPECT_EQ(pane().gridCaption(), QStringLiteral("Шлейфы, входящие в зону 1"));
    EXPECT_EQ(pane().grid().tickedMask(), LoopMask());
    EXPECT_TRUE(pane().grid().isEnabled(16));
    EXPECT_FALSE(pane().grid().isEnabled(17));
    EXPECT_TRUE(image().isZero(map::Zones.offset, map::Zones.size()));  // creating writes nothing

    pane().Button2Click();
    pane().ZoneClick(1, true);
    pane().ZoneClick(9, true);
    EXPECT_EQ(bytes(0x284E), (std::vector<std::uint8_t>{0x01, 0x01, 0, 0, 0, 0, 0, 0}));
    pane().ZoneClick(1, false);
    EXPECT_EQ(bytes(0x284E), (std::vector<std::uint8_t>{0x00, 0x01, 0, 0, 0, 0, 0, 0}));

    // Zone 1 was left without loops: it is gone after reopening and its number is offered again.
    open();
    EXPECT_EQ(listed(), QStringList{QStringLiteral("2")});
    pane().Button2Click();
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("2"), QStringLiteral("1")}));
}

TEST_F(ZonaPaneTest, LoopsOfOtherZonesAreDisabledAndNeverStored) {
    place(1, u"МШС1");
    setZonaMask(image(), 1, test::loops({3}));
    setZonaMask(image(), 2, test::loops({5}));
    open();
    EXPECT_EQ(selected(), QStringLiteral("1"));
    EXPECT_TRUE(pane().grid().isEnabled(3));
    EXPECT_TRUE(pane().grid().isTicked(3));
    EXPECT_FALSE(pane().grid().isEnabled(5));

    pane().selectRow(1);
    EXPECT_FALSE(pane().grid().isEnabled(3));
    EXPECT_FALSE(pane().grid().isTicked(3));
    pane().ZoneClick(3, true);  // a disabled box cannot be ticked
    pane().ZoneClick(6, true);
    EXPECT_EQ(zonaMask(image(), 2), test::loops({5, 6}));
    EXPECT_EQ(zonaMask(image(), 1), test::loops({3}));

    // Placing a module while the pane shows re-enables the grid and shows the zone again.
    place(2, u"МШС2");
    EXPECT_TRUE(pane().grid().isEnabled(12));
    EXPECT_FALSE(pane().grid().isEnabled(3));
    EXPECT_EQ(pane().grid().tickedMask(), test::loops({5, 6}));
}

TEST_F(ZonaPaneTest, CreateAppendsTheSmallestFreeNumberAndDeleteMovesTheSelection) {
    place(1, u"МШС1");
    for (int z : {1, 2, 5})
        setZonaMask(image(), z, test::loops({z}));
    open();
    pane().Button2Click();
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5"),
                                     QStringLiteral("3")}));
    EXPECT_EQ(selected(), QStringLiteral("3"));

    pane().selectRow(2);
    pane().Button7Click();
    EXPECT_TRUE(image().isZero(0x2866, 8));
    EXPECT_EQ(selected(), QStringLiteral("2"));  // the item before the one deleted
    EXPECT_EQ(pane().gridCaption(), QStringLiteral("Шлейфы, входящие в зону 2"));

    pane().selectRow(0);
    pane().Button7Click();
    EXPECT_EQ(selected(), QStringLiteral("2"));  // the new first item
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("2"), QStringLiteral("3")}));
}

TEST_F(ZonaPaneTest, DeletingTheLastZoneReopensThePaneAndUnassignsItsKeys) {
    place(1, u"МШС1");
    setZonaMask(image(), 4, test::loops({8}));
    image().setByte(map::KeyRecords.at(10) + 6, 0x03);
    image().setByte(map::KeyRecords.at(11) + 6, 0xFA);
    open();
    pane().Button7Click();
    EXPECT_TRUE(desktop.isPaneVisible(QStringLiteral("gbZona")));
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(image().byte(map::KeyRecords.at(10) + 6), 0xFF);
    EXPECT_EQ(image().byte(map::KeyRecords.at(11) + 6), 0xFA);
}

}  // namespace
}  // namespace v5
