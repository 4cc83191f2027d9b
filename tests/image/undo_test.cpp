// The way back: every kind of change undoes to the exact bytes before it and redoes to the bytes
// after, under a name in the comparison's words; the shown pane follows; loads are steps too.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>

#include "desktop/desktop.h"
#include "desktop/undo_history.h"
#include "groups/loop_pane.h"
#include "groups/zona_pane.h"
#include "outputs/panel_options.h"
#include "outputs/relay_pane.h"
#include "operations/step_label.h"
#include "panes/install_panes.h"
#include "tests/support/image_builder.h"

namespace v5 {
namespace {

Image randomImage(std::uint32_t seed) {
    std::mt19937 random(seed);
    Image image;
    for (std::size_t i = 0; i < Image::kSize; ++i)
        image.setByte(i, static_cast<std::uint8_t>(random()));
    return image;
}

TEST(UndoHistoryTest, WalksBackAndForthThroughExactBytesAndDropsRedoOnANewChange) {
    std::mt19937 random(7);
    UndoHistory history;
    Image image;
    std::vector<Image> states{image};
    for (int step = 0; step < 40; ++step) {
        // Scattered single bytes, runs and a whole-image change among them.
        const int changes = step == 20 ? 32768 : 1 + static_cast<int>(random() % 12);
        for (int c = 0; c < changes; ++c)
            image.setByte(step == 20 ? static_cast<std::size_t>(c) : random() % Image::kSize,
                          static_cast<std::uint8_t>(random()));
        if (history.record(image)) states.push_back(image);
    }
    EXPECT_FALSE(history.record(image)) << "nothing changed, no step";
    for (std::size_t back = states.size() - 1; back > 0; --back) {
        ASSERT_TRUE(history.undo(image));
        ASSERT_EQ(image, states.at(back - 1)) << "undo to state " << back - 1;
    }
    EXPECT_FALSE(history.undo(image));
    for (std::size_t forward = 1; forward < states.size(); ++forward) {
        ASSERT_TRUE(history.redo(image));
        ASSERT_EQ(image, states.at(forward));
    }
    EXPECT_FALSE(history.redo(image));

    history.undo(image);
    history.undo(image);
    image.setByte(5, static_cast<std::uint8_t>(image.byte(5) + 1));
    ASSERT_TRUE(history.record(image));
    EXPECT_FALSE(history.canRedo());
}

TEST(UndoHistoryTest, KeepsItsLimitOfStepsInLittleMemoryAndNamesStepsOnFirstAsk) {
    UndoHistory history;
    int described = 0;
    history.setDescribe([&](const Image& before, const Image& after) {
        ++described;
        return QStringLiteral("%1→%2").arg(before.byte(100)).arg(after.byte(100));
    });
    Image image;
    for (int step = 1; step <= 300; ++step) {
        image.setByte(100, static_cast<std::uint8_t>(step));
        image.setByte(200 + static_cast<std::size_t>(step), 1);
        history.record(image);
    }
    EXPECT_EQ(history.undoCount(), UndoHistory::kDefaultLimit);
    EXPECT_GE(history.undoCount(), 200u);
    EXPECT_LT(history.memoryBytes(), 8u << 20);
    EXPECT_EQ(described, 0);
    EXPECT_EQ(history.undoLabel(), QStringLiteral("43→44"));  // 299 and 300 wrap to 43 and 44
    EXPECT_EQ(*history.undo(image), QStringLiteral("43→44"));
    EXPECT_EQ(history.redoLabel(), QStringLiteral("43→44"));
    EXPECT_EQ(described, 1);

    // An explicit name wins; whole different images cost at most twice the image each.
    UndoHistory loads;
    for (std::uint32_t seed = 1; seed <= 10; ++seed)
        loads.record(randomImage(seed), QStringLiteral("чтение"));
    EXPECT_EQ(loads.undoLabel(), QStringLiteral("чтение"));
    EXPECT_LE(loads.memoryBytes(), 10 * (2 * Image::kSize + 4096));
}

TEST(UndoStepLabelTest, CountsChangesInRussianAndNamesTheFirst) {
    const std::pair<std::size_t, const char*> counts[] = {
        {1, "1 изменение"},   {2, "2 изменения"},   {4, "4 изменения"},    {5, "5 изменений"},
        {11, "11 изменений"}, {12, "12 изменений"}, {21, "21 изменение"},  {22, "22 изменения"},
        {111, "111 изменений"}, {114, "114 изменений"}, {0, "0 изменений"}};
    for (const auto& [count, text] : counts)
        EXPECT_EQ(changeCount(count), QString::fromUtf8(text)) << count;
    EXPECT_TRUE(describeStep(Image(), Image()).isEmpty());
}

class UndoDesktopTest : public ::testing::Test {
protected:
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    std::unique_ptr<Desktop> desktop;

    void SetUp() override {
        desktop = std::make_unique<Desktop>(prompts, dir.path());
        installPanes(*desktop);
        desktop->history().setDescribe(describeStep);
        place(1, QStringLiteral("МШС1"));
        place(2, QStringLiteral("МР1"));
        desktop->ClearDesktop();
        desktop->takeStep();
    }
    void place(int slot, const QString& name) {
        desktop->btnSlotContextPopup(slot);
        desktop->miClick(name);
    }
    Image& image() { return desktop->image(); }
};

TEST_F(UndoDesktopTest, EveryKindOfStepUndoesToTheBytesBeforeAndRedoesToTheBytesAfter) {
    struct Case {
        const char* kind;
        std::function<void(Desktop&)> change;
    };
    const Case cases[] = {
        {"a tick written at once",
         [](Desktop& d) {
             d.pane<ZonaPane>()->mGRZonaClick();
             d.pane<ZonaPane>()->Button2Click();
             d.pane<ZonaPane>()->ZoneClick(3, true);
         }},
        {"a pane left with edits",
         [](Desktop& d) {
             d.Parameter(QStringLiteral("МШС1"));
             d.pane<LoopPane>()->rgTSClick(static_cast<int>(LoopTypeItem::Fire));
             d.ClearDesktop();
         }},
        {"a relay stored on leaving",
         [](Desktop& d) {
             d.Parameter(QStringLiteral("МР1"));
             d.pane<RelayPane>()->rgReleModeClick(3);
             d.ClearDesktop();
         }},
        {"a placement with its sweep",
         [](Desktop& d) {
             d.btnSlotContextPopup(1);
             d.miClick(Desktop::deleteItem());
         }},
        {"an option box", [](Desktop& d) { d.pane<PanelOptions>()->cbAvtovziatieClick(true); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        SetUp();
        const Image before = image();
        c.change(*desktop);
        const Image after = image();
        ASSERT_NE(before, after);
        ASSERT_TRUE(desktop->takeStep());
        EXPECT_EQ(desktop->history().undoLabel(), describeStep(before, after));
        EXPECT_FALSE(desktop->history().undoLabel().isEmpty());

        ASSERT_TRUE(desktop->undo());
        EXPECT_EQ(image(), before);
        EXPECT_EQ(desktop->lastOperation(), QStringLiteral("Отменено: ") + describeStep(before, after));
        EXPECT_TRUE(desktop->history().canRedo());
        ASSERT_TRUE(desktop->redo());
        EXPECT_EQ(image(), after);
        EXPECT_FALSE(desktop->takeStep()) << "showing the pane again changed no byte";
    }
}

TEST_F(UndoDesktopTest, WhatTheShownPaneHoldsIsItsOwnStepAndThePaneShowsTheImageAgain) {
    desktop->Parameter(QStringLiteral("МШС1"));
    desktop->takeStep();
    const Image before = image();
    desktop->pane<LoopPane>()->rgTSClick(static_cast<int>(LoopTypeItem::Fire));
    ASSERT_EQ(image(), before) << "the loop pane stores on leaving";

    ASSERT_TRUE(desktop->undo());
    EXPECT_EQ(image(), before);
    EXPECT_TRUE(desktop->isPaneVisible(QStringLiteral("gbMShl")));
    EXPECT_NE(desktop->pane<LoopPane>()->type(), LoopTypeItem::Fire) << "the pane shows the image again";
    desktop->ClearDesktop();
    EXPECT_EQ(image(), before) << "leaving does not store the undone edit again";

    ASSERT_TRUE(desktop->redo());
    EXPECT_NE(image(), before);
}

TEST_F(UndoDesktopTest, AZoneCreatedAndDeletedComesBackWithTheSameZoneShown) {
    auto* zones = desktop->pane<ZonaPane>();
    zones->mGRZonaClick();
    zones->Button2Click();
    zones->ZoneClick(2, true);
    desktop->takeStep();
    zones->Button2Click();
    zones->ZoneClick(4, true);
    desktop->takeStep();
    const Image twoZones = image();
    zones->Button7Click();  // deletes zone 2, the one shown; zone 1 is shown next
    desktop->takeStep();
    ASSERT_NE(image(), twoZones);

    ASSERT_TRUE(desktop->undo());
    EXPECT_EQ(image(), twoZones);
    ASSERT_EQ(zones->list().count(), 2);
    EXPECT_EQ(zones->list().selectedNumber(), 1) << "zone 1 was shown after zone 2 was deleted";
}

// The sweep runs at the next pane reset. Undoing the step it was part of while the zone pane is shown
// must not sweep again, or the undo would be taken back at once and redo lost.
TEST(UndoSweepTest, UndoingAStepWithASweepHoldsWhileTheZonePaneIsShown) {
    test::ScriptedPrompts prompts;
    Desktop desktop(prompts, QString());
    installPanes(desktop);
    desktop.btnSlotContextPopup(1);
    desktop.miClick(QStringLiteral("МШС1"));
    desktop.takeStep();
    const Image unswept = desktop.image();
    desktop.pane<ZonaPane>()->mGRZonaClick();  // the reset blanks the loops of the absent modules
    ASSERT_TRUE(desktop.takeStep());
    ASSERT_TRUE(desktop.undo());
    EXPECT_EQ(desktop.image(), unswept);
    EXPECT_FALSE(desktop.takeStep());
    EXPECT_TRUE(desktop.history().canRedo());
}

TEST_F(UndoDesktopTest, TheUnsavedMarkFollowsUndoAndRedo) {
    desktop->markSaved();
    desktop->pane<PanelOptions>()->cbAvtovziatieClick(true);
    desktop->takeStep();
    EXPECT_TRUE(desktop->hasUnsavedChanges());
    desktop->undo();
    EXPECT_FALSE(desktop->hasUnsavedChanges());
    desktop->redo();
    EXPECT_TRUE(desktop->hasUnsavedChanges());
}

TEST_F(UndoDesktopTest, NothingMovesWhileATransferRuns) {
    desktop->pane<PanelOptions>()->cbAvtovziatieClick(true);
    desktop->takeStep();
    const Image now = image();
    desktop->setTransferRunning(true);
    EXPECT_FALSE(desktop->undo());
    EXPECT_FALSE(desktop->redo());
    desktop->pane<PanelOptions>()->cbAvtovziatieClick(false);
    EXPECT_FALSE(desktop->takeStep());
    image() = now;
    desktop->setTransferRunning(false);
    EXPECT_TRUE(desktop->undo());
}

TEST_F(UndoDesktopTest, AReadIsOneStepBackAndTheStepsBeforeItStay) {
    desktop->pane<PanelOptions>()->cbAvtovziatieClick(true);
    desktop->takeStep();
    const Image edited = image();
    const std::size_t stepsBefore = desktop->history().undoCount();
    Image panel;
    test::placeModule(panel, 3, QStringLiteral("МР2"));
    desktop->acceptReadImage(panel.bytes(), QStringLiteral("чтение из прибора"),
                             QStringLiteral("Прочитано из прибора"));
    EXPECT_EQ(desktop->lastOperation(), QStringLiteral("Прочитано из прибора"));
    EXPECT_EQ(desktop->history().undoLabel(), QStringLiteral("чтение из прибора"));
    EXPECT_EQ(desktop->history().undoCount(), stepsBefore + 1);
    ASSERT_TRUE(desktop->undo());
    EXPECT_EQ(image(), edited);
    EXPECT_EQ(desktop->captions().at(1), QStringLiteral("МШС1"));
    EXPECT_TRUE(desktop->history().canUndo());
}

}  // namespace
}  // namespace v5
