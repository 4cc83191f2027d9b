// Looking at a pane and leaving it, any number of times, never changes the configuration, also where
// the image holds what the panes themselves would not write (a self-linked or repeated pass-through
// place).
#include <functional>

#include "tests/groups/group_fixture.h"
#include "keys/key_list_pane.h"
#include "tests/support/linked_zone_images.h"
#include "groups/linked_zones_pane.h"
#include "tests/support/qt_print.h"

namespace v5 {
namespace {

struct View {
    QString name;
    std::function<void(Desktop&)> open;
};

// Every way the window opens a pane for looking: the menu commands of every pane (except the ones
// that read a key or a console, or ask for a code), every module name and slot caption through the
// pane dispatch, the access-code box and a key opened from the list.
std::vector<View> allViews(Desktop& desktop) {
    const QStringList notViews{QStringLiteral("keyAdd"), QStringLiteral("N16"), QStringLiteral("N1")};
    std::vector<View> views;
    for (Pane* pane : desktop.allPanes())
        for (const MenuCommand& command : pane->menuCommands())
            if (!notViews.contains(command.item))
                views.push_back({command.item, [item = command.item](Desktop& d) { d.runCommand(item); }});
    QStringList names = allModuleNames();
    for (int n = 1; n <= 4; ++n)
        names << QStringLiteral("МДВ%1").arg(n);
    for (int s = 1; s <= kSlotCount; ++s)
        names << desktop.captions().at(s);
    for (const QString& name : names)
        views.push_back({name, [name](Desktop& d) { d.Parameter(name); }});
    views.push_back({QStringLiteral("access code"), [](Desktop& d) { d.mmKodDostupaClick(); }});
    views.push_back({QStringLiteral("key 1 from the list"), [](Desktop& d) {
                         d.runCommand(QStringLiteral("N22"));
                         d.pane<KeyListPane>()->clbKeyClick(0);
                     }});
    return views;
}

class ViewsKeepImage : public test::GroupFixture, public ::testing::WithParamInterface<int> {};

TEST_P(ViewsKeepImage, AnyNumberOfViewsOfEveryPaneChangesNoByte) {
    desktop.acceptReadImage(test::selfLinkedImage(GetParam()).bytes());
    const Image loaded = image();
    // The load's own sweep keeps the places and the keys assigned to them.
    ASSERT_EQ(passThroughRecord(loaded, 1), test::loops({1}));
    ASSERT_EQ(loaded.byte(map::KeyRecords.at(0) + 6), 0x60);
    const std::vector<View> views = allViews(desktop);
    ASSERT_GT(views.size(), 60u);
    for (int round = 1; round <= 3; ++round)
        for (const View& view : views) {
            SCOPED_TRACE((view.name + QStringLiteral(", round %1").arg(round)).toStdString());
            view.open(desktop);
            desktop.ClearDesktop();
            EXPECT_TRUE(image() == loaded) << "first change at 0x" << std::hex << [&] {
                for (std::size_t a = 0; a < Image::kSize; ++a)
                    if (image().byte(a) != loaded.byte(a)) return a;
                return Image::kSize;
            }();
            if (!(image() == loaded)) desktop.acceptReadImage(loaded.bytes());
        }
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
}

// One place holding zone 1, then three places holding it (two self-linked, one linked to zone 2).
INSTANTIATE_TEST_SUITE_P(SelfLinkedPlaces, ViewsKeepImage, ::testing::Values(0, 2));

class SelfLinkedPlace : public test::GroupFixture {
protected:
    LinkedZonesPane& pane() { return *desktop.pane<LinkedZonesPane>(); }
};

// The repro of a fuzz campaign: the first visit unlinked place 1, the second freed it and, through the
// sweep, unassigned key 1.
TEST_F(SelfLinkedPlace, TwoVisitsOfTheLinkedZonePaneChangeNothing) {
    desktop.acceptReadImage(test::selfLinkedImage().bytes());
    const Image loaded = image();
    for (int visit = 1; visit <= 4; ++visit) {
        desktop.runCommand(QStringLiteral("mGRSZona"));
        EXPECT_EQ(pane().list().items(), QStringList{QStringLiteral("1 проходная")});
        EXPECT_FALSE(pane().boxes().isEnabled(1));  // a linked zone takes no links of its own
        desktop.runCommand(QStringLiteral("mGRZona"));
        EXPECT_TRUE(image() == loaded) << "visit " << visit;
    }
    EXPECT_EQ(bytes(0x2B86, 1), std::vector<std::uint8_t>{0x01});
    EXPECT_EQ(bytes(0x2B46, 1), std::vector<std::uint8_t>{0x01});
    EXPECT_EQ(bytes(0x03E4, 1), std::vector<std::uint8_t>{0x60});
}

// Ticks changed and changed back are no edit; a real edit of the second zone of a repeated place is
// stored in the first place only, and the other places stay.
TEST_F(SelfLinkedPlace, OnlyTheUsersOwnChangeOfTicksIsStored) {
    Image start = test::selfLinkedImage(2);
    setZonaMask(start, 3, test::loops({3}));
    desktop.acceptReadImage(start.bytes());
    const Image loaded = image();
    desktop.runCommand(QStringLiteral("mGRSZona"));
    pane().selectRow(1);  // zone 2: an ordinary zone, linked to place 3
    ASSERT_EQ(pane().list().at(1), QStringLiteral("2 связанная"));
    pane().selectRow(2);  // zone 3
    pane().wClick(2, true);
    pane().wClick(2, false);
    pane().selectRow(0);
    EXPECT_TRUE(image() == loaded);

    pane().selectRow(2);
    pane().wClick(2, true);
    desktop.ClearDesktop();
    EXPECT_EQ(passThroughRecord(image(), 4), test::loops({3}));
    EXPECT_EQ(linkedMask(image(), 4), test::loops({2}));
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(passThroughRecord(image(), i), test::loops({1})) << i;
}

}  // namespace
}  // namespace v5
