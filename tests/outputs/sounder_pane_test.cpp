#include "outputs/sounder_pane.h"

#include "outputs/output_records.h"
#include "tests/outputs/outputs_fixture.h"

namespace v5 {
namespace {

using test::loops;

class SounderPaneTest : public test::OutputsTest<SounderPane> {
protected:
    void SetUp() override {
        OutputsTest::SetUp();
        place(1, QStringLiteral("МШС1"));
        place(2, QStringLiteral("МШС2"));
    }
    void open() {
        ASSERT_TRUE(desktop.hasCommand(QStringLiteral("mZO")));
        desktop.runCommand(QStringLiteral("mZO"));
        ASSERT_TRUE(desktop.isPaneVisible(QStringLiteral("gbZO")));
    }
};

TEST_F(SounderPaneTest, DurationsAreWrittenAtOnceIntoTheRecordOfTheirTab) {
    struct Case {
        int tab;
        SounderPane::Event event;
        int item;
        std::size_t offset;
        std::uint8_t code;
    };
    const Case cases[] = {
        {2, SounderPane::Alarm, 6, 0x2BDC, 120}, {0, SounderPane::Alarm, 6, 0x2BF4, 120},
        {1, SounderPane::Fire, 9, 0x2BD1, 255},  {3, SounderPane::Fault, 2, 0x2BE7, 5},
        {0, SounderPane::Fault, 0, 0x2BF3, 0},
    };
    image().fill(map::Sounders.offset, map::Sounders.size(), 0x0B);
    open();
    for (const Case& c : cases) {
        pane->durationClick(c.tab, c.event, c.item);
        EXPECT_EQ(image().byte(c.offset), c.code) << c.offset;
    }
}

TEST_F(SounderPaneTest, OpeningShowsTheRecordsAndWritesNothing) {
    const std::uint8_t codes[] = {0, 1, 4, 7, 11, 60, 61, 250};
    const int items[] = {0, 1, 2, 3, 4, 5, 6, 9};
    for (int i = 0; i < 8; ++i) {
        const auto record = image().record(map::Sounders, static_cast<std::size_t>(i / 3));
        record[8 + i % 3] = codes[i];  // fault, alarm, fire durations
    }
    image().setByte(map::Sounders.at(3) + 11, 0xE9);  // the option bits
    image().setLoopMask(map::Sounders.at(3), loops({2, 60}));
    desktop.ClearDesktop();
    const Image swept = image();
    open();
    EXPECT_EQ(image(), swept);
    for (int i = 0; i < 8; ++i) {
        const int record = i / 3;
        const int tab = record + 1;
        const auto event = std::array{SounderPane::Fault, SounderPane::Alarm, SounderPane::Fire}[i % 3];
        EXPECT_EQ(pane->durationItemOf(tab, event), items[i]) << int(codes[i]);
    }
    EXPECT_TRUE(pane->optionTicked(0, 3));
    EXPECT_FALSE(pane->optionTicked(0, 4));
    EXPECT_EQ(pane->currentPage(), 0);
    EXPECT_EQ(pane->grid().tickedMask(), loops({2}));  // loop 60: МШС8 is not placed, swept
}

TEST_F(SounderPaneTest, GridWritesEveryClickAndTabChangeOnlyShows) {
    image().setLoopMask(map::Sounders.at(2), loops({33}));
    open();
    pane->TabbedNotebook4Change(1);
    pane->cbZO1Click(9, true);
    EXPECT_EQ(image().byte(0x2BC8), 0x01);
    pane->TabbedNotebook4Change(3);
    EXPECT_EQ(pane->grid().tickedMask(), config::Sounder::decode(image(), 2).loops);
    EXPECT_EQ(image().byte(0x2BC8), 0x01);
}

TEST_F(SounderPaneTest, GridStoresTicksOfDisabledBoxesSelectOnlyEnabledClearAll) {
    open();
    pane->cbZO1Click(12, true);
    place(2, QStringLiteral("МР1"));  // МШС2 taken out while the pane shows: box 12 disabled, still ticked
    EXPECT_FALSE(pane->grid().isEnabled(12));
    pane->cbZO1Click(1, true);
    EXPECT_EQ(config::Sounder::decode(image(), 3).loops, loops({1, 12}));
    pane->Button8Click();
    pane->Button6Click();
    EXPECT_EQ(config::Sounder::decode(image(), 3).loops, LoopMask(0xFF));
    pane->cbZO1Click(12, true);
    pane->Button8Click();
    EXPECT_TRUE(config::Sounder::decode(image(), 3).loops.isEmpty());
    pane->cbZO1Click(12, true);
    desktop.ClearDesktop();  // the sweep removes the loops of МШС2 later
    EXPECT_TRUE(config::Sounder::decode(image(), 3).loops.isEmpty());
}

TEST_F(SounderPaneTest, FirstTabTamperBoxesStoreAtOnceTheOthersWhenLeft) {
    image().setByte(0x2BDE, 0xE0);
    image().setByte(0x2BF6, 0xE7);
    open();
    pane->optionClick(2, 0, true);
    pane->optionClick(2, 4, true);
    pane->optionClick(0, 3, true);
    pane->optionClick(0, 0, true);  // no such box on the first tab
    EXPECT_EQ(image().byte(0x2BF6), 0xEF);
    EXPECT_EQ(image().byte(0x2BDE), 0xE0);
    pane->optionClick(0, 3, false);
    EXPECT_EQ(image().byte(0x2BF6), 0xE7);
    desktop.ClearDesktop();
    EXPECT_EQ(image().byte(0x2BDE), 0xF1);
    EXPECT_EQ(image().byte(0x2BF6), 0xE7);
}

}  // namespace
}  // namespace v5
