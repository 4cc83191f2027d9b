#include <gtest/gtest.h>

#include "desktop/desktop.h"
#include "tests/support/image_builder.h"
#include "panes/install_panes.h"
#include "desktop/loop_grid.h"
#include "image/tables.h"

namespace v5 {
namespace {

SlotCaptions placed(std::initializer_list<const char16_t*> names) {
    Image image;
    int slot = 1;
    for (const char16_t* name : names)
        test::placeModule(image, slot++, QString::fromUtf16(name));
    SlotCaptions captions;
    captions.bntSlotsUpdate(image);
    return captions;
}

TEST(LoopGrid, EnablingFollowsPlacedLoopModulesAndKeepsTicks) {
    LoadingFlag loading;
    LoopGrid grid(loading);
    grid.setTicked(10, true);
    grid.SBoxUpdate(placed({u"МШС1", u"МШС3", u"МР2"}));
    for (int loop = 1; loop <= 64; ++loop)
        EXPECT_EQ(grid.isEnabled(loop), loop <= 8 || (loop >= 17 && loop <= 24)) << loop;
    EXPECT_TRUE(grid.isTicked(10));
    // A ticked box of a module that is not placed is never stored by the grid-to-mask rule.
    grid.setTicked(17, true);
    EXPECT_EQ(grid.mask(), test::loops({17}));
    EXPECT_EQ(grid.tickedMask(), test::loops({10, 17}));
    grid.tickEnabled();
    EXPECT_EQ(grid.mask().bits(), 0x0000'0000'00FF'00FFULL);
}

TEST(LoopGrid, MaskConversionsTouchOnlyWhatTheyName) {
    LoadingFlag loading;
    LoopGrid grid(loading);
    grid.SBoxUpdate(placed({u"МШС1", u"МШС2", u"МШС8"}));
    const std::uint8_t bytes[8] = {0x01, 0, 0, 0, 0, 0, 0, 0x80};
    grid.Shl2Box(LoopMask::fromBytes(bytes));
    EXPECT_EQ(grid.tickedMask(), test::loops({1, 64}));
    EXPECT_FALSE(loading.isRaised());

    grid.setTicked(12, true);
    const std::uint8_t second[8] = {0x00, 0xFF, 0, 0, 0, 0, 0, 0};
    grid.Shl2BoxMask(LoopMask::fromBytes(second));
    for (int loop = 9; loop <= 16; ++loop)
        EXPECT_FALSE(grid.isEnabled(loop)) << loop;
    EXPECT_TRUE(grid.isEnabled(1));
    EXPECT_TRUE(grid.isEnabled(64));
    EXPECT_EQ(grid.tickedMask(), test::loops({1, 12, 64}));
    EXPECT_EQ(grid.mask(), test::loops({1, 64}));
}

TEST(GroupTable, ExistenceReadsTheRightEntriesAndKeyIndicesReachPastTheTable) {
    Image image;
    setZonaMask(image, 64, test::loops({3}));
    setRazdelMask(image, 1, test::loops({5}));
    setPassThroughRecord(image, 8, test::loops({7}));
    setLinkedMask(image, 1, test::loops({9}));
    EXPECT_EQ(image.byte(0x2A3E), 0x04);  // zone 64
    EXPECT_EQ(image.byte(0x2A46), 0x10);  // partition 1
    EXPECT_EQ(image.byte(0x2B7E), 0x40);  // pass-through record 8
    EXPECT_EQ(image.byte(0x2B87), 0x01);  // linked mask 1
    EXPECT_TRUE(zonaExists(image, 64));
    EXPECT_FALSE(zonaExists(image, 63));
    EXPECT_FALSE(EmptyRazdel(image, 0));
    EXPECT_TRUE(EmptyRazdel(image, 1));
    EXPECT_FALSE(SZonaEmpty(image, 7));
    EXPECT_FALSE(ZonaEmpty(image, 63));
    EXPECT_FALSE(ZonaEmpty(image, 104));
    // Index 150 lies past the 112 entries, in the external indicator table: the panel reads it there.
    EXPECT_TRUE(ZonaEmpty(image, 150));
    image.setByte(map::GroupTable.offset + 8 * 150 + 3, 1);
    EXPECT_FALSE(ZonaEmpty(image, 150));
    EXPECT_THROW(static_cast<void>(ZonaEmpty(image, 200)), std::out_of_range);
    EXPECT_THROW(static_cast<void>(zonaExists(image, 0)), std::out_of_range);
}

// A pane that opens relay modules and answers one menu item.
class RelayProbe : public Pane {
public:
    using Pane::Pane;
    int runs = 0;
    QString objectName() const override { return QStringLiteral("probe"); }
    ResetStage resetStage() const override { return ResetStage::Relays; }
    void onReset(bool) override {}
    QStringList modulePrefixes() const override { return {QStringLiteral("МР")}; }
    std::vector<MenuCommand> menuCommands() override {
        return {{QStringLiteral("mProbe"), [this] { ++runs; }}};
    }
};

TEST(ModuleMenus, OfferExactlyPlacedModulesThatAPaneOpens) {
    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
    Desktop desktop(prompts, dir.path());
    installPanes(desktop);
    auto probe = std::make_unique<RelayProbe>(desktop);
    RelayProbe* relays = probe.get();
    desktop.addPane(std::move(probe));

    desktop.btnSlotContextPopup(4);
    desktop.miClick(QStringLiteral("МР1"));
    desktop.btnSlotContextPopup(5);
    desktop.miClick(QStringLiteral("МШС2"));
    EXPECT_TRUE(desktop.moduleMenuItemEnabled(QStringLiteral("МР1")));
    EXPECT_FALSE(desktop.moduleMenuItemEnabled(QStringLiteral("МР10")));
    EXPECT_FALSE(desktop.moduleMenuItemEnabled(QStringLiteral("МР2")));
    EXPECT_TRUE(desktop.moduleMenuItemEnabled(QStringLiteral("МШС2")));
    EXPECT_FALSE(desktop.moduleMenuItemEnabled(QStringLiteral("МШС3")));
    // Placed, but no pane opens the module.
    Desktop bare(prompts, dir.path());
    bare.btnSlotContextPopup(1);
    bare.miClick(QStringLiteral("МР1"));
    EXPECT_FALSE(bare.moduleMenuItemEnabled(QStringLiteral("МР1")));

    EXPECT_TRUE(desktop.hasCommand(QStringLiteral("mProbe")));
    EXPECT_TRUE(desktop.hasCommand(QStringLiteral("mExt")));
    EXPECT_FALSE(desktop.hasCommand(QStringLiteral("mArj")));  // the window answers it, no pane
    desktop.runCommand(QStringLiteral("mProbe"));
    desktop.runCommand(QStringLiteral("nothing"));
    EXPECT_EQ(relays->runs, 1);
}

}  // namespace
}  // namespace v5
