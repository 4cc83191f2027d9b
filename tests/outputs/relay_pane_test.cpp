#include "outputs/relay_pane.h"

#include "reports/configuration_report.h"
#include "outputs/output_records.h"
#include "tests/outputs/outputs_fixture.h"

namespace v5 {
namespace {

using test::loops;

class RelayPaneTest : public test::OutputsTest<RelayPane> {
protected:
    std::span<std::uint8_t> relay(int number) { return image().record(map::Relays, number - 1); }
};

TEST(DurationItem, EveryByteShowsTheFirstValueNotSmaller) {
    const std::pair<int, int> cases[] = {{0, 0},   {1, 1},   {2, 2},   {5, 2},   {6, 3},   {7, 3},   {10, 3},
                                         {11, 4},  {30, 4},  {31, 5},  {60, 5},  {61, 6},  {120, 6}, {121, 7},
                                         {180, 7}, {181, 8}, {240, 8}, {241, 9}, {250, 9}, {255, 9}};
    for (const auto& [value, item] : cases)
        EXPECT_EQ(durationItem(static_cast<std::uint8_t>(value)), item) << value;
}

TEST_F(RelayPaneTest, OnlyModuleNamesOpenTheirPanesAndARelayModuleShowsItsFourRelays) {
    place(1, QStringLiteral("МР3"));
    desktop.Parameter(QStringLiteral("МР3"));
    EXPECT_TRUE(desktop.isPaneVisible(QStringLiteral("gbMR")));
    EXPECT_EQ(pane->tabCaption(0), QStringLiteral("9"));
    EXPECT_EQ(pane->tabCaption(3), QStringLiteral("12"));
    desktop.Parameter(QStringLiteral("МР16"));
    EXPECT_EQ(pane->tabCaption(0), QStringLiteral("61"));
    EXPECT_EQ(pane->tabCaption(3), QStringLiteral("64"));
    // Names that only look like a module's open no pane at all.
    for (const char16_t* raw : {u"МР17", u"МР0", u"МР03", u"xМР1", u"МДВ5", u"МД9", u"МД", u"МС9", u"МС01"}) {
        desktop.Parameter(QString::fromUtf16(raw));
        EXPECT_TRUE(desktop.visiblePane().isEmpty()) << QString::fromUtf16(raw).toStdString();
    }
}

TEST_F(RelayPaneTest, TabChangeStoresTheRelayLeftNotTheOneEntered) {
    place(1, QStringLiteral("МШС1"));
    place(2, QStringLiteral("МР3"));
    relay(11)[0] = 0x05;
    desktop.ClearDesktop();
    const Image before = image();
    desktop.Parameter(QStringLiteral("МР3"));
    EXPECT_EQ(image(), before);  // opening stores nothing

    pane->tnReleChange(1);  // relay 10
    pane->rgReleModeClick(10);
    pane->rgReleTimeClick(4);
    pane->cbExternalClick(true);
    pane->cRClick(2, true);
    pane->cRClick(8, true);
    pane->tnReleChange(2);  // relay 11 is shown; relay 10 is stored at 0x23B6 + 10 * 9
    EXPECT_EQ(map::Relays.at(9), 0x2410U);
    const std::uint8_t expected[] = {0x8A, 0x82, 0, 0, 0, 0, 0, 0, 0, 30};
    EXPECT_TRUE(std::ranges::equal(relay(10), expected));
    EXPECT_EQ(pane->mode(), 5);
    EXPECT_EQ(relay(11)[0], 0x05);
    EXPECT_EQ(pane->panelTab(), 2);

    pane->rgReleModeClick(7);
    desktop.ClearDesktop();  // leaving the pane stores relay 11
    EXPECT_EQ(relay(11)[0], 0x07);
}

TEST_F(RelayPaneTest, ModeByteAndRunTimeAreStoredAsShown) {
    place(1, QStringLiteral("МР1"));
    struct Case {
        std::uint8_t mode, runTime;
        int shownMode, shownTime;
        bool internal, external;
        std::uint8_t storedMode, storedTime;
    };
    const Case cases[] = {
        {0xC3, 30, 3, 4, true, true, 0xC3, 30},
        {0x33, 7, 3, 3, false, false, 0x03, 10},
        {0x4F, 255, 15, 9, true, false, 0x4F, 255},
        {0xB0, 200, 0, 8, false, true, 0x80, 240},
    };
    for (const Case& c : cases) {
        relay(2)[0] = c.mode;
        relay(2)[9] = c.runTime;
        desktop.Parameter(QStringLiteral("МР1"));
        pane->tnReleChange(1);
        EXPECT_EQ(pane->mode(), c.shownMode);
        EXPECT_EQ(pane->timeItem(), c.shownTime);
        EXPECT_EQ(pane->internalTamper(), c.internal);
        EXPECT_EQ(pane->externalTamper(), c.external);
        pane->tnReleChange(0);
        EXPECT_EQ(relay(2)[0], c.storedMode) << int(c.mode);
        EXPECT_EQ(relay(2)[9], c.storedTime) << int(c.runTime);
    }
}

TEST_F(RelayPaneTest, PlacementWhileShownStoresTheRelayThenReloadsItAndSavingDropsLoopsOfUnplacedModules) {
    place(1, QStringLiteral("МШС1"));
    place(2, QStringLiteral("МР1"));
    place(3, QStringLiteral("МШС2"));
    relay(1)[0] = 0x02;
    image().setLoopMask(map::Relays.at(0) + 1, loops({1, 9, 16}));  // bytes 1..8: the loop mask
    desktop.Parameter(QStringLiteral("МР1"));
    pane->rgReleModeClick(9);
    place(3, QStringLiteral("МД1"));  // МШС2 leaves; its loops stay in the image until the next sweep
    EXPECT_TRUE(desktop.isPaneVisible(QStringLiteral("gbMR")));
    // The mode chosen was stored before the relay was read again.
    EXPECT_EQ(pane->mode(), 9);
    EXPECT_EQ(relay(1)[0], 0x09);
    EXPECT_TRUE(pane->grid().isTicked(9));
    EXPECT_FALSE(pane->grid().isEnabled(9));
    EXPECT_TRUE(pane->grid().isEnabled(1));

    pane->Button4Click();  // "Выделить": the enabled boxes only, nothing written
    EXPECT_EQ(config::Relay::decode(image(), 0).loops, loops({1, 9, 16}));
    pane->tnReleChange(1);
    EXPECT_EQ(config::Relay::decode(image(), 0).loops, LoopMask(0xFF));

    pane->tnReleChange(0);
    pane->Button5Click();  // "Очистить": nothing written either
    EXPECT_EQ(config::Relay::decode(image(), 0).loops, LoopMask(0xFF));
    EXPECT_FALSE(pane->grid().isTicked(3));
    pane->tnReleChange(1);
    EXPECT_TRUE(config::Relay::decode(image(), 0).loops.isEmpty());
}

TEST_F(RelayPaneTest, ReportShowsWhatThePaneStored) {
    place(1, QStringLiteral("МШС1"));
    place(2, QStringLiteral("МР1"));
    desktop.Parameter(QStringLiteral("МР1"));
    pane->tnReleChange(2);
    pane->rgReleModeClick(3);
    pane->rgReleTimeClick(4);
    pane->cbExternalClick(true);  // bit 7, which the report calls the central module's tamper
    for (int loop = 1; loop <= 4; ++loop)
        pane->cRClick(loop, true);
    desktop.ClearDesktop();
    EXPECT_TRUE(configurationReport(image()).contains(
        QStringLiteral(" Реле 3(зо постоянно)30сектампер ГБ  - шлейфы: 1-4")));
}

}  // namespace
}  // namespace v5
