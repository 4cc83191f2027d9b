#include "tests/groups/group_fixture.h"
#include "groups/razdel_pane.h"
#include "image/tables.h"

namespace v5 {
namespace {

class RazdelPaneTest : public test::GroupFixture {
protected:
    void SetUp() override {
        GroupFixture::SetUp();
        place(1, u"МШС1");
        place(2, u"МШС3");
        setZonaMask(image(), 1, test::loops({1, 2}));
        setZonaMask(image(), 3, test::loops({17}));
        setZonaMask(image(), 4, test::loops({5}));
    }
    RazdelPane& pane() { return *desktop.pane<RazdelPane>(); }
    void open() { desktop.runCommand(QStringLiteral("mGRRazdel")); }
    QStringList listed() { return pane().list().items(); }
};

TEST_F(RazdelPaneTest, PartitionIsTheUnionOfItsTickedZones) {
    open();
    EXPECT_TRUE(desktop.isPaneVisible(QStringLiteral("gbRazdel")));
    EXPECT_TRUE(listed().isEmpty());
    for (int z = 1; z <= 64; ++z)
        EXPECT_EQ(pane().boxes().isEnabled(z), z == 1 || z == 3 || z == 4) << z;
    pane().qClick(1, true);  // no partition selected: nothing is stored
    EXPECT_TRUE(image().isZero(map::Razdels.offset, map::Razdels.size()));

    pane().Button10Click();
    EXPECT_EQ(listed(), QStringList{QStringLiteral("1")});
    EXPECT_FALSE(pane().boxes().isTicked(1));
    pane().qClick(1, true);
    pane().qClick(3, true);
    pane().qClick(2, true);  // zone 2 has no loops: its box cannot be ticked
    EXPECT_EQ(bytes(0x2A46), (std::vector<std::uint8_t>{0x03, 0x00, 0x01, 0, 0, 0, 0, 0}));

    pane().Button10Click();
    pane().qClick(3, true);
    EXPECT_EQ(razdelMask(image(), 2), test::loops({17}));
    EXPECT_EQ(razdelMask(image(), 1), test::loops({1, 2, 17}));
    pane().qClick(1, true);
    pane().Button11Click();
    EXPECT_TRUE(image().isZero(0x2A4E, 8));
    EXPECT_EQ(pane().list().selectedText(), QStringLiteral("1"));
    pane().Button11Click();
    EXPECT_TRUE(listed().isEmpty());  // the last one deleted reopens the pane
    EXPECT_TRUE(desktop.isPaneVisible(QStringLiteral("gbRazdel")));
}

TEST_F(RazdelPaneTest, ShowingAPartitionBringsItsMaskUpToDateWithItsZones) {
    setRazdelMask(image(), 1, test::loops({1, 2}));
    setZonaMask(image(), 1, test::loops({1, 2, 5}));
    setZonaMask(image(), 4, LoopMask());
    open();
    EXPECT_EQ(razdelMask(image(), 1), test::loops({1, 2}));  // opening alone writes nothing
    pane().selectRow(0);
    EXPECT_TRUE(pane().boxes().isTicked(1));
    EXPECT_FALSE(pane().boxes().isTicked(3));
    EXPECT_EQ(razdelMask(image(), 1), test::loops({1, 2, 5}));
}

// A partition whose zones were all deleted is kept, whatever partition was shown before it: showing
// a partition must not delete it (and then unassign its keys at the next reset).
TEST_F(RazdelPaneTest, ShowingAPartitionWithoutZonesKeepsIt) {
    setRazdelMask(image(), 1, test::loops({17}));
    setRazdelMask(image(), 2, test::loops({6, 7}));  // loops of zones deleted since
    const std::size_t key = map::KeyRecords.at(3) + 6;
    image().setByte(key, 65);
    open();
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));

    pane().selectRow(0);
    EXPECT_TRUE(pane().boxes().isTicked(3));
    pane().selectRow(1);
    EXPECT_FALSE(pane().boxes().anyTicked());
    EXPECT_EQ(razdelMask(image(), 2), test::loops({6, 7}));

    pane().selectRow(0);
    open();
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(image().byte(key), 65);
}

TEST_F(RazdelPaneTest, CreateOffersNothingWhenEveryNumberIsListed) {
    open();
    for (int i = 0; i < 33; ++i)
        pane().Button10Click();
    EXPECT_EQ(listed().size(), 32);
    EXPECT_EQ(pane().list().selectedText(), QStringLiteral("32"));
}

}  // namespace
}  // namespace v5
