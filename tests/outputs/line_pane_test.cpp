#include "line_pane.h"

#include <set>

#include "output_records.h"
#include "outputs_fixture.h"

namespace v5 {
namespace {

class LinePaneTest : public test::OutputsTest<LinePane> {
protected:
    std::span<std::uint8_t> entry(int n) { return image().record(map::LineModules, n - 1); }
    std::vector<int> enabledBoxes() const {
        std::vector<int> out;
        for (int k = 1; k <= LinePane::kBoxes; ++k)
            if (pane->isEnabled(k)) out.push_back(k);
        return out;
    }
};

TEST(LineAddress, RuleKeepsTheAcceptedValues) {
    const std::pair<const char*, const char*> cases[] = {
        {"000", "000"}, {"123", "123"}, {"199", "199"}, {"200", "200"}, {"201", "201"}, {"202", "000"},
        {"241", "241"}, {"248", "241"}, {"255", "255"}, {"256", "254"}, {"354", "254"}, {"900", "000"},
        {"240", "241"}, {"250", "254"}, {"300", "000"}, {"1  ", "1  "}, {"   ", "000"}, {" 5 ", "254"},
    };
    for (const auto& [typed, kept] : cases)
        EXPECT_EQ(LinePane::correctedAddress(QString::fromLatin1(typed)), QString::fromLatin1(kept)) << typed;
}

TEST(LineAddress, TypingOverDigitsReachesExactlyTheAcceptedAddresses) {
    std::set<QString> reached{QStringLiteral("000")};
    std::vector<QString> open{QStringLiteral("000")};
    while (!open.empty()) {
        const QString text = open.back();
        open.pop_back();
        for (int at = 0; at < 3; ++at)
            for (char digit = '0'; digit <= '9'; ++digit) {
                QString typed = text;
                typed[at] = QLatin1Char(digit);
                const QString next = LinePane::correctedAddress(typed);
                if (reached.insert(next).second) open.push_back(next);
            }
    }
    std::set<QString> accepted{QStringLiteral("241"), QStringLiteral("254"), QStringLiteral("255")};
    for (int a = 0; a <= 201; ++a)
        accepted.insert(QStringLiteral("%1").arg(a, 3, 10, QLatin1Char('0')));
    EXPECT_EQ(reached, accepted);
}

TEST_F(LinePaneTest, ShowsAndStoresTheEntryOfTheModuleInTheTitle) {
    place(1, QStringLiteral("МС3"));
    place(2, QStringLiteral("МШС2"));
    place(3, QStringLiteral("МШС1"));
    EXPECT_EQ(map::LineModules.at(2), 0x283AU);
    entry(3)[1] = 5;
    entry(3)[0] = 0x02;
    desktop.Parameter(QStringLiteral("МС3"));
    EXPECT_EQ(pane->addressText(), QStringLiteral("005"));
    EXPECT_TRUE(pane->isTicked(2));
    pane->MaskEdit1Change(QStringLiteral("201"));
    pane->tzClick(2, false);
    pane->tzClick(5, true);  // unplaced: the sweep drops it again
    pane->tzClick(1, true);
    desktop.ClearDesktop();
    EXPECT_EQ(image().byte(0x283B), 0xC9);
    EXPECT_EQ(image().byte(0x283A), 0x01);
}

TEST_F(LinePaneTest, IncompleteAddressKeepsTheStoredOne) {
    place(1, QStringLiteral("МС1"));
    place(2, QStringLiteral("МШС1"));
    entry(1)[1] = 77;
    desktop.Parameter(QStringLiteral("МС1"));
    pane->MaskEdit1Change(QStringLiteral("1 3"));
    EXPECT_EQ(pane->addressText(), QStringLiteral("1 3"));
    pane->tzClick(1, true);
    desktop.ClearDesktop();
    EXPECT_EQ(entry(1)[1], 77);
    EXPECT_EQ(entry(1)[0], 0x01);
}

TEST_F(LinePaneTest, LoopModulesServedElsewhereAreNotOfferedUnlessAddress254) {
    place(1, QStringLiteral("МС1"));
    place(2, QStringLiteral("МС2"));
    place(3, QStringLiteral("МШС1"));
    place(4, QStringLiteral("МШС2"));
    struct Case {
        std::uint8_t addressOfMS1, addressOfMS2;
        std::vector<int> enabled;
    };
    const Case cases[] = {
        {10, 0, {3, 4, 5, 6, 7, 8}},
        {254, 0, {1, 2, 3, 4, 5, 6, 7, 8}},
        {10, 254, {1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const Case& c : cases) {
        desktop.ClearDesktop();  // the pane shown stores its entry first
        entry(1)[0] = 0x03;
        entry(1)[1] = c.addressOfMS1;
        entry(2)[1] = c.addressOfMS2;
        desktop.Parameter(QStringLiteral("МС2"));
        EXPECT_EQ(enabledBoxes(), c.enabled) << int(c.addressOfMS1) << " " << int(c.addressOfMS2);
    }
    place(5, QStringLiteral("МШС3"));  // placement: the placed loop modules alone
    EXPECT_EQ(enabledBoxes(), (std::vector<int>{1, 2, 3}));
}

TEST_F(LinePaneTest, StoredAddressShowsAsItIsUntilTheUserTypes) {
    test::placeModule(image(), 4, QStringLiteral("МС2"));
    entry(2)[1] = 255;
    desktop.acceptReadImage(image().bytes());
    desktop.Parameter(QStringLiteral("МС2"));
    EXPECT_EQ(pane->addressText(), QStringLiteral("255"));
    desktop.ClearDesktop();
    EXPECT_EQ(entry(2)[1], 255);
    // The rule is for typing: a stored address outside it is shown and kept until the user types.
    entry(2)[1] = 210;
    desktop.Parameter(QStringLiteral("МС2"));
    EXPECT_EQ(pane->addressText(), QStringLiteral("210"));
    desktop.ClearDesktop();
    EXPECT_EQ(entry(2)[1], 210);
}

}  // namespace
}  // namespace v5
