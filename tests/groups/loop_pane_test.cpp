#include "tests/groups/group_fixture.h"
#include "groups/loop_pane.h"

namespace v5 {
namespace {

class LoopPaneTest : public test::GroupFixture {
protected:
    LoopPane& pane() { return *desktop.pane<LoopPane>(); }
    LoopRecord loop(int l) const {
        const auto r = desktop.image().record(map::LoopParams, static_cast<std::size_t>(l - 1));
        return LoopRecord{{r[0], r[1], r[2]}};
    }
    void setLoop(int l, LoopRecord record) {
        std::ranges::copy(record.bytes, image().record(map::LoopParams, static_cast<std::size_t>(l - 1)).begin());
    }
    QString enabledControls() {
        QStringList names;
        for (int c = 0; c < kLoopControlCount; ++c)
            if (pane().isEnabled(static_cast<LoopControl>(c)))
                names << loopControlName(static_cast<LoopControl>(c));
        return names.join(u' ');
    }
};

constexpr LoopRecord kBlank{0x00, 0x00, 0x20};
// Every field set, with the type code of each type.
constexpr LoopRecord kFullFire{0xFF, 0x1F, 0xC0};
constexpr LoopRecord kFullGuard{0xFF, 0x0F, 0xC0};

struct TypeRuleCase {
    TypeRuleMode mode;
    LoopRecord record;  // the loop shown
    LoopTypeItem type;      // chosen by the user (Choice) or shown (Show)
    const char* enabled;
    bool szu;
    LoopRecord stored;
};

constexpr const char* kFireSet = "rgDS1 rgVR1 rgVS1 cbLS1 cbV1 cbP1";
constexpr const char* kGuardSet = "rgDS1 rgVR1 rgPS1 cbLS1 cbK1 cbT1 cbPZ1";
constexpr const char* kControlSet = "rgVR1 cbLS1";
constexpr auto Show = TypeRuleMode::Show;
constexpr auto Choice = TypeRuleMode::Choice;

// clang-format off
const TypeRuleCase kTypeRules[] = {
    // Showing keeps the fields that fit the type and forces the others.
    {Show, kFullFire, LoopTypeItem::Fire, kFireSet, false, {0xF2, 0x1A, 0xC0}},
    {Show, kFullGuard, LoopTypeItem::Guard, kGuardSet, false, {0xFF, 0x09, 0x00}},
    {Show, {0xFF, 0x2F, 0xC0}, LoopTypeItem::Alarm, kGuardSet, false, {0xFF, 0x29, 0x00}},
    {Show, {0xFF, 0x3F, 0xC0}, LoopTypeItem::Control, kControlSet, false, {0xC2, 0x38, 0x00}},
    {Show, {0xFF, 0x3F, 0xE0}, LoopTypeItem::Off, "", false, kBlank},
    {Show, {0x00, 0x10, 0x20}, LoopTypeItem::Off, "", false, kBlank},          // disabled wins over the type
    {Show, {0x00, 0x14, 0x80}, LoopTypeItem::Fire, kFireSet, false, {0x00, 0x18, 0x80}},  // two detectors win
    {Show, {0x08, 0x10, 0x00}, LoopTypeItem::Fire, kFireSet, false, {0x00, 0x18, 0x00}},  // no confirmation
    // Choosing resets every field.
    {Choice, kFullGuard, LoopTypeItem::Fire, kFireSet, false, {0x40, 0x18, 0x00}},
    {Choice, kFullFire, LoopTypeItem::Guard, kGuardSet, false, {0x00, 0x00, 0x00}},
    {Choice, kFullFire, LoopTypeItem::Alarm, kGuardSet, false, {0x00, 0x20, 0x00}},
    {Choice, kFullFire, LoopTypeItem::Control, kControlSet, true, {0x00, 0x38, 0x00}},
    {Choice, kFullFire, LoopTypeItem::Off, "", false, kBlank},
    {Choice, kBlank, LoopTypeItem::Guard, kGuardSet, false, {0x00, 0x00, 0x00}},
};
// clang-format on

TEST_F(LoopPaneTest, TypeRulesForChoosingAndShowingDecideControlsAndStoredBytes) {
    place(1, u"МШС1");
    for (const TypeRuleCase& c : kTypeRules) {
        SCOPED_TRACE(testing::Message() << "row " << &c - kTypeRules);
        setLoop(1, c.record);
        desktop.Parameter(QStringLiteral("МШС1"));
        if (c.mode == TypeRuleMode::Choice) pane().rgTSClick(static_cast<int>(c.type));
        EXPECT_EQ(pane().type(), c.type);
        EXPECT_EQ(enabledControls(), QString::fromLatin1(c.enabled));
        EXPECT_EQ(pane().value(LoopControl::Szu), c.szu ? 1 : 0);
        EXPECT_EQ(pane().delayCaption(), c.type == LoopTypeItem::Fire ? QStringLiteral("Задержка сигнала")
                                                                  : QStringLiteral("Задержка на вход/выход"));
        pane().tnShlChange(1);
        EXPECT_EQ(loop(1), c.stored);
    }
}

TEST_F(LoopPaneTest, EditsReachOnlyEnabledControlsAndAreStoredAsShown) {
    place(1, u"МШС1");
    desktop.Parameter(QStringLiteral("МШС1"));
    pane().rgTSClick(static_cast<int>(LoopTypeItem::Guard));
    pane().setValue(LoopControl::Reaction, 3);
    pane().setValue(LoopControl::Delay, 2);
    pane().setValue(LoopControl::Confirmation, 1);
    pane().setValue(LoopControl::Tamper, 1);
    pane().setValue(LoopControl::Verification, 1);  // disabled for a guard loop
    pane().setValue(LoopControl::Delay, 4);         // no such item
    // Choosing the type already chosen is no new choice: the edits stay.
    pane().rgTSClick(static_cast<int>(LoopTypeItem::Guard));
    desktop.ClearDesktop();
    EXPECT_EQ(loop(1), (LoopRecord{0xE4, 0x01, 0x00}));
}

TEST_F(LoopPaneTest, TabChangeStoresTheLoopLeftAndOpeningStoresNothing) {
    place(4, u"МШС3");
    setLoop(17, {0x00, 0x30, 0x00});
    setLoop(18, {0x40, 0x10, 0x00});
    desktop.ClearDesktop();
    const Image before = image();

    desktop.Parameter(QStringLiteral("МШС3"));
    EXPECT_TRUE(desktop.isPaneVisible(QStringLiteral("gbMShl")));
    EXPECT_EQ(pane().tabCaption(0), QStringLiteral("17"));
    EXPECT_EQ(pane().tabCaption(7), QStringLiteral("24"));
    EXPECT_EQ(pane().type(), LoopTypeItem::Control);
    EXPECT_TRUE(image() == before);

    pane().rgTSClick(static_cast<int>(LoopTypeItem::Fire));
    EXPECT_TRUE(image() == before);
    pane().tnShlChange(1);
    EXPECT_EQ(loop(17), (LoopRecord{0x40, 0x18, 0x00}));
    EXPECT_EQ(pane().currentTab(), 1);
    EXPECT_EQ(pane().type(), LoopTypeItem::Fire);
    EXPECT_EQ(pane().value(LoopControl::Reaction), 1);

    // Leaving the pane stores the loop shown; a reset with the pane hidden stores nothing.
    pane().rgTSClick(static_cast<int>(LoopTypeItem::Alarm));
    desktop.mmKodDostupaClick();
    EXPECT_EQ(loop(18), (LoopRecord{0x00, 0x20, 0x00}));
    pane().rgTSClick(static_cast<int>(LoopTypeItem::Off));
    desktop.ClearDesktop();
    EXPECT_EQ(loop(18), (LoopRecord{0x00, 0x20, 0x00}));

    // "Записать на диск" stores the loop shown before asking for the file, even when cancelled.
    desktop.Parameter(QStringLiteral("МШС3"));
    pane().rgTSClick(static_cast<int>(LoopTypeItem::Guard));
    prompts.saveAnswers.push_back(std::nullopt);
    desktop.mnSaveClick();
    EXPECT_EQ(loop(17), (LoopRecord{0x00, 0x00, 0x00}));
}

TEST_F(LoopPaneTest, OkCopiesTheShownLoopIntoEveryTickedLoop) {
    place(1, u"МШС1");
    place(2, u"МШС5");
    desktop.Parameter(QStringLiteral("МШС1"));
    const LoopGrid& grid = pane().duplicateGrid();
    EXPECT_TRUE(grid.isTicked(1));
    EXPECT_FALSE(grid.isEnabled(1));
    for (int l : {2, 8, 33, 40})
        EXPECT_TRUE(grid.isEnabled(l)) << l;
    for (int l : {9, 16, 32, 41, 64})
        EXPECT_FALSE(grid.isEnabled(l)) << l;

    pane().rgTSClick(static_cast<int>(LoopTypeItem::Fire));
    pane().sClick(3, true);
    pane().sClick(40, true);
    pane().Button1Click();
    for (int l : {1, 3, 40})
        EXPECT_EQ(loop(l), (LoopRecord{0x40, 0x18, 0x00})) << l;
    for (int l : {2, 33, 39})
        EXPECT_EQ(loop(l), LoopRecord{}) << l;
    EXPECT_EQ(grid.tickedMask(), test::loops({1, 3, 40}));
    // The status line names the loops written, the one shown among them.
    EXPECT_EQ(desktop.lastOperation(), QStringLiteral("Записано в шлейфы: 1, 3, 40"));

    // The ticks are cleared the next time a loop is shown.
    pane().tnShlChange(1);
    EXPECT_EQ(grid.tickedMask(), test::loops({2}));
}

TEST(LoopPaneReport, NamesTheWrittenLoopsInOrder) {
    const struct {
        QList<int> loops;
        const char16_t* text;
    } cases[] = {
        {{5}, u"Записано в шлейфы: 5"},
        {{2, 5, 7}, u"Записано в шлейфы: 2, 5, 7"},
        {{1, 64}, u"Записано в шлейфы: 1, 64"},
        {{}, u"Ни один шлейф не отмечен: ничего не записано"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoopPane::duplicateReport(c.loops), QString::fromUtf16(c.text)) << c.loops.size();
}

TEST_F(LoopPaneTest, PlacingAModuleWhileShownStoresThenRereadsTheLoopAndEnablesItsBoxes) {
    place(1, u"МШС1");
    setLoop(1, {0x00, 0x30, 0x00});
    EXPECT_FALSE(desktop.moduleMenuItemEnabled(QStringLiteral("МШС2")));
    desktop.Parameter(QStringLiteral("МШС1"));
    pane().rgTSClick(static_cast<int>(LoopTypeItem::Fire));
    place(2, u"МШС2");
    EXPECT_TRUE(desktop.moduleMenuItemEnabled(QStringLiteral("МШС2")));
    EXPECT_TRUE(desktop.isPaneVisible(QStringLiteral("gbMShl")));
    // The type chosen was stored before the loop was read again.
    EXPECT_EQ(pane().type(), LoopTypeItem::Fire);
    EXPECT_EQ(decodeLoop(loop(1)).type, LoopTypeItem::Fire);
    EXPECT_TRUE(pane().duplicateGrid().isEnabled(9));

    // Putting another module into the slot of the module shown stores the loop and closes the pane.
    desktop.Parameter(QStringLiteral("МШС1"));
    pane().rgTSClick(static_cast<int>(LoopTypeItem::Alarm));
    place(1, u"МР1");
    EXPECT_FALSE(desktop.isPaneVisible(QStringLiteral("gbMShl")));
    EXPECT_EQ(loop(1), (LoopRecord{0x00, 0x20, 0x00}));
}

}  // namespace
}  // namespace v5
