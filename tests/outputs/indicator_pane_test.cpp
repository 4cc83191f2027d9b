#include "outputs/indicator_pane.h"

#include "tests/outputs/outputs_fixture.h"

namespace v5 {
namespace {

using test::loops;

class IndicatorPaneTest : public test::OutputsTest<IndicatorPane> {
protected:
    void SetUp() override {
        OutputsTest::SetUp();
        place(1, QStringLiteral("МШС1"));
    }
};

TEST_F(IndicatorPaneTest, ModuleAndTabNameTheMaskStored) {
    struct Case {
        const char16_t* module;
        int tab;
        std::size_t offset;
    };
    const Case cases[] = {{u"МД1", 0, 0x2636},  {u"МД3", 4, 0x26D6},  {u"МД8", 7, 0x282E},
                          {u"МДВ1", 0, 0x2BF9}, {u"МДВ2", 0, 0x2C39}, {u"МДВ4", 7, 0x2CF1}};
    place(2, QStringLiteral("МД1"));
    place(3, QStringLiteral("МД3"));
    place(4, QStringLiteral("МД8"));
    for (const Case& c : cases) {
        const QString module = QString::fromUtf16(c.module);
        desktop.Parameter(module);
        ASSERT_TRUE(desktop.isPaneVisible(QStringLiteral("gbUD"))) << module.toStdString();
        pane->tnUDChange(c.tab);
        EXPECT_EQ(pane->caption(), QStringLiteral("Индикатор %1").arg(c.tab + 1));
        pane->cUDClick(3, true);
        desktop.ClearDesktop();
        EXPECT_EQ(maskAt(c.offset), loops({3})) << module.toStdString();
        image().setLoopMask(c.offset, LoopMask());
        EXPECT_TRUE(image().isZero(map::Indicators.offset, map::Indicators.size()));
        EXPECT_TRUE(image().isZero(map::ExtIndicators.offset, map::ExtIndicators.size()));
    }
    EXPECT_EQ(image().wordLE(map::AccessCode.offset), 0);
}

TEST_F(IndicatorPaneTest, TabChangeStoresTheTabLeftAndShowsTheNext) {
    place(2, QStringLiteral("МД2"));
    image().setLoopMask(map::Indicators.at(10), loops({5, 6}));
    desktop.Parameter(QStringLiteral("МД2"));
    EXPECT_EQ(pane->caption(), QStringLiteral("Индикатор 1"));
    pane->cUDClick(1, true);
    pane->tnUDChange(2);
    EXPECT_EQ(pane->caption(), QStringLiteral("Индикатор 3"));
    EXPECT_EQ(maskAt(map::Indicators.at(8)), loops({1}));
    EXPECT_EQ(pane->grid().mask(), loops({5, 6}));
    pane->cUDClick(5, false);  // a single tick writes nothing yet
    EXPECT_EQ(maskAt(map::Indicators.at(10)), loops({5, 6}));
}

TEST_F(IndicatorPaneTest, SelectAndClearWriteAtOnceAndDropLoopsOfUnplacedModules) {
    // The external table is never swept: only the pane's own save removes the loop of МШС2.
    image().setLoopMask(map::ExtIndicators.at(8), loops({2, 12}));
    desktop.Parameter(QStringLiteral("МДВ2"));
    EXPECT_TRUE(pane->grid().isTicked(12));
    EXPECT_FALSE(pane->grid().isEnabled(12));
    pane->Button9Click();
    EXPECT_EQ(maskAt(map::ExtIndicators.at(8)), LoopMask(0xFF));
    pane->Button12Click();
    EXPECT_TRUE(maskAt(map::ExtIndicators.at(8)).isEmpty());
}

}  // namespace
}  // namespace v5
