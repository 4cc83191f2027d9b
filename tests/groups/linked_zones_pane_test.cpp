#include "tests/groups/group_fixture.h"
#include "groups/linked_zones_pane.h"
#include "image/tables.h"

namespace v5 {
namespace {

class LinkedZonesTest : public test::GroupFixture {
protected:
    void SetUp() override {
        GroupFixture::SetUp();
        int slot = 1;
        for (const char16_t* name : {u"МШС1", u"МШС2", u"МШС3", u"МШС4"})
            place(slot++, name);
    }
    LinkedZonesPane& pane() { return *desktop.pane<LinkedZonesPane>(); }
    void open() { desktop.runCommand(QStringLiteral("mGRSZona")); }
    QStringList listed() { return pane().list().items(); }
    // Selects the list item of zone z.
    void show(int z) {
        for (int row = 0; row < pane().list().count(); ++row)
            if (LinkedZonesPane::StrToZona(pane().list().at(row)) == z - 1) return pane().selectRow(row);
        ADD_FAILURE() << "zone " << z << " is not listed";
    }
    void zones(std::initializer_list<std::pair<int, int>> zoneLoop) {
        for (auto [z, l] : zoneLoop)
            setZonaMask(image(), z, test::loops({l}));
    }
};

using Bytes = std::vector<std::uint8_t>;

TEST_F(LinkedZonesTest, TickedZonesMakeTheShownZonePassThroughWhenAnotherIsSelected) {
    zones({{2, 9}, {3, 17}, {4, 25}});
    open();
    EXPECT_TRUE(desktop.isPaneVisible(QStringLiteral("gbSS")));
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
    EXPECT_FALSE(pane().boxes().isShown(1));
    EXPECT_FALSE(pane().boxes().isEnabled(2));
    EXPECT_TRUE(pane().boxes().isEnabled(3));

    pane().wClick(3, true);
    pane().wClick(4, true);
    EXPECT_TRUE(image().isZero(map::PassThrough.offset, 128));  // ticks are held by the pane
    show(3);
    EXPECT_EQ(bytes(0x2B46), (Bytes{0x00, 0x01, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(bytes(0x2B86), (Bytes{0x00, 0x00, 0x01, 0x01, 0, 0, 0, 0}));
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("2 проходная"), QStringLiteral("3 связанная"),
                                     QStringLiteral("4 связанная")}));
    for (int z : {2, 3, 4})
        EXPECT_FALSE(pane().boxes().isEnabled(z)) << z;

    // Shown again, the pass-through zone ticks its linked zones; without them the place is freed.
    show(2);
    EXPECT_TRUE(pane().boxes().isTicked(3));
    EXPECT_TRUE(pane().boxes().isTicked(4));
    pane().wClick(3, false);
    pane().wClick(4, false);
    show(4);
    EXPECT_TRUE(image().isZero(map::PassThrough.offset, 128));
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(LinkedZonesTest, AZoneMayBeLinkedToSeveralPassThroughZones) {
    zones({{2, 9}, {4, 25}, {5, 26}, {6, 3}});
    open();
    pane().wClick(4, true);
    show(5);
    pane().wClick(4, true);
    show(6);  // zone 6 has no ticks and is not pass-through: it commits nothing
    show(2);
    EXPECT_EQ(passThroughRecord(image(), 1), test::loops({9}));
    EXPECT_EQ(passThroughRecord(image(), 2), test::loops({26}));
    EXPECT_EQ(linkedMask(image(), 1), test::loops({25}));
    EXPECT_EQ(linkedMask(image(), 2), test::loops({25}));
    EXPECT_TRUE(passThroughRecord(image(), 3).isEmpty());
    EXPECT_FALSE(pane().boxes().isEnabled(5));  // a pass-through zone is never a linked one
    EXPECT_TRUE(pane().IzSZona(4));
    EXPECT_FALSE(pane().IzSZona(3));
}

TEST_F(LinkedZonesTest, NinthPassThroughZoneIsRefusedWithAMessage) {
    for (int i = 1; i <= 8; ++i) {
        setZonaMask(image(), 10 + i, test::loops({10 + i}));
        setPassThroughRecord(image(), i, test::loops({10 + i}));
        setLinkedMask(image(), i, test::loops({30}));
    }
    zones({{2, 2}, {3, 3}, {30, 30}});
    open();
    const Image before = image();
    show(2);
    pane().wClick(3, true);
    show(3);
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("проходных зон не более восьми")});
    EXPECT_TRUE(image() == before);
    EXPECT_EQ(pane().list().at(0), QStringLiteral("2"));
}

TEST_F(LinkedZonesTest, LeavingThePaneCommitsTheZoneSelectedAfterTheHide) {
    zones({{2, 9}, {3, 17}});
    open();
    pane().wClick(3, true);
    desktop.runCommand(QStringLiteral("mGRZona"));
    EXPECT_TRUE(desktop.isPaneVisible(QStringLiteral("gbZona")));
    EXPECT_EQ(passThroughRecord(image(), 1), test::loops({9}));
    EXPECT_EQ(linkedMask(image(), 1), test::loops({17}));

    // Hidden, the pane commits nothing; deleting the pass-through zone frees its place on reopening.
    desktop.ClearDesktop();
    setZonaMask(image(), 2, LoopMask());
    open();
    EXPECT_EQ(listed(), QStringList{QStringLiteral("3")});
    EXPECT_TRUE(image().isZero(map::PassThrough.offset, 128));
}

TEST_F(LinkedZonesTest, ClearSZonaDropsHalfEmptyPlacesAndOpeningDropsLoopsOfNoZone) {
    zones({{1, 1}, {2, 2}, {3, 3}});
    setPassThroughRecord(image(), 1, test::loops({1}));
    setLinkedMask(image(), 2, test::loops({2}));
    setPassThroughRecord(image(), 3, test::loops({3}));
    setLinkedMask(image(), 3, test::loops({2, 20}));
    pane().ClearSZona();
    EXPECT_TRUE(passThroughRecord(image(), 1).isEmpty());
    EXPECT_TRUE(linkedMask(image(), 2).isEmpty());
    EXPECT_EQ(linkedMask(image(), 3), test::loops({2, 20}));

    open();
    EXPECT_EQ(linkedMask(image(), 3), test::loops({2}));
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("1"), QStringLiteral("2 связанная"),
                                     QStringLiteral("3 проходная")}));
    EXPECT_EQ(LinkedZonesPane::StrToZona(QStringLiteral("12 проходная")), 11);
}

}  // namespace
}  // namespace v5
