#include <gtest/gtest.h>

#include "desktop/desktop.h"
#include "outputs/ext_pane.h"
#include "tests/support/image_builder.h"
#include "panes/install_panes.h"
#include "outputs/panel_options.h"

namespace v5 {
namespace {

class ExtPaneTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::ScriptedPrompts prompts;
    Desktop desktop{prompts, dir.path()};
    ExtPane* ext = nullptr;
    PanelOptions* options = nullptr;

    void SetUp() override {
        installPanes(desktop);
        ext = desktop.pane<ExtPane>();
        options = desktop.pane<PanelOptions>();
        ASSERT_TRUE(ext && options);
    }
};

TEST_F(ExtPaneTest, OpeningShowsThePresenceBits) {
    desktop.image().setWordLE(0x2BF7, 0x0921);  // МДВ1, БИ2, МК1, МК4
    ext->mExtClick();
    EXPECT_EQ(desktop.visiblePane(), QStringLiteral("gbExt"));
    std::vector<int> ticked;
    for (int bit = 0; bit < ExtPane::kBoxCount; ++bit)
        if (ext->isTicked(bit)) ticked.push_back(bit);
    EXPECT_EQ(ticked, (std::vector<int>{0, 5, 8, 11}));
    EXPECT_EQ(ExtPane::boxName(5), QStringLiteral("cbBI2"));
    EXPECT_EQ(ExtPane::boxCaption(11), QStringLiteral("МК4"));
    desktop.ClearDesktop();
    EXPECT_TRUE(desktop.visiblePane().isEmpty());
}

TEST_F(ExtPaneTest, TicksWriteTheirBitAtOnceAndLeaveTheRest) {
    desktop.image().setByte(0x2BF8, 0xF0);
    desktop.image().setByte(0x2BF7, 0x80);
    desktop.image().fill(map::ExtIndicators.at(16), 8, 0x3C);  // МДВ3's first indicator
    ext->mExtClick();
    ext->cbMKClick(2, true);
    EXPECT_EQ(desktop.image().byte(0x2BF8), 0xF2);
    ext->cbBIClick(4, false);
    EXPECT_EQ(desktop.image().byte(0x2BF7), 0x00);
    ext->cbMDVClick(3, true);
    ext->cbMDVClick(3, false);
    EXPECT_EQ(desktop.image().byte(0x2BF7), 0x00);
    EXPECT_EQ(desktop.image().byte(0x2BF8), 0xF2);
    EXPECT_EQ(desktop.image().byte(map::ExtIndicators.at(16)), 0x3C);
}

TEST_F(ExtPaneTest, OptionByteShowsAfterLoadAndKeepsItsHighBits) {
    QByteArray bytes(32768, '\0');
    bytes[0x2BC6] = static_cast<char>(0xF5);
    const QString file = dir.filePath(QStringLiteral("options.v5"));
    ASSERT_TRUE(test::writeAll(file, bytes));
    prompts.openAnswers.push_back(file);
    desktop.mnLoadClick();
    EXPECT_TRUE(options->isTicked(PanelOptions::Avtovziatie));
    EXPECT_FALSE(options->isTicked(PanelOptions::DisableProg));
    EXPECT_TRUE(options->isTicked(PanelOptions::DisableAC));

    options->cbAvtovziatieClick(false);
    options->cbDisableProgClick(true);
    options->cbDisableACClick(false);
    EXPECT_EQ(desktop.image().byte(0x2BC6), 0xF2);
}

}  // namespace
}  // namespace v5
