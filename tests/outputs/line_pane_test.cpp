#include "outputs/line_pane.h"

#include <set>

#include "outputs/output_records.h"
#include "tests/outputs/outputs_fixture.h"

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

TEST(LineAddress, FieldTakesTheAcceptedValuesAndWhatCanStillBecomeOne) {
    using E = LinePane::AddressEntry;
    const struct {
        const char* text;
        int cursor;  // after the last typed character
        E entry;
    } cases[] = {
        {"000", 3, E::Accepted},
        {"201", 3, E::Accepted},
        {"241", 3, E::Accepted},
        {"254", 3, E::Accepted},
        {"255", 3, E::Accepted},
        {"15", 2, E::Accepted},
        {"7", 1, E::Accepted},
        {"015", 3, E::Accepted},
        {"", 0, E::Incomplete},
        {"202", 3, E::Refused},
        {"248", 3, E::Refused},
        {"256", 3, E::Refused},
        {"900", 3, E::Refused},
        {"1000", 4, E::Refused},
        {"1a", 2, E::Refused},
        {" 15", 3, E::Refused},
        {"١", 1, E::Refused},  // an Arabic-Indic one
        // Typing over the old digits of a full field: "24" of "240" can still become 241, "3" of "300"
        // can become nothing.
        {"240", 2, E::Incomplete},
        {"250", 2, E::Incomplete},
        {"300", 1, E::Refused},
        {"260", 2, E::Refused},
        {"240", 3, E::Refused},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LinePane::addressEntry(QString::fromUtf8(c.text), c.cursor), c.entry)
            << c.text << " at " << c.cursor;
    }
}

TEST(LineAddress, EveryAcceptedAddressCanBeTypedOverAnyOther) {
    std::vector<QString> accepted;
    for (int value = 0; value <= 255; ++value)
        if (LinePane::isAcceptedAddress(value))
            accepted.push_back(QStringLiteral("%1").arg(value, 3, 10, QLatin1Char('0')));
    EXPECT_EQ(accepted.size(), 205u);
    for (const QString& from : accepted)
        for (const QString& to : accepted) {
            QString field = from;
            for (int at = 0; at < 3; ++at) {
                field[at] = to[at];
                ASSERT_NE(LinePane::addressEntry(field, at + 1), LinePane::AddressEntry::Refused)
                    << qPrintable(from) << " -> " << qPrintable(to);
            }
            EXPECT_EQ(LinePane::addressEntry(field, 3), LinePane::AddressEntry::Accepted);
        }
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

TEST_F(LinePaneTest, StoresExactlyTheTypedAddressAndNothingElse) {
    place(1, QStringLiteral("МС1"));
    place(2, QStringLiteral("МШС1"));
    const struct {
        std::vector<const char*> edits;  // the field's text after each of the user's edits
        bool refusedAtTheEnd;
        int stored;
        const char* note;  // what the pane says beside the field at the end
    } cases[] = {
        {{"1", "15"}, false, 15, ""},
        {{"2", "20", "201"}, false, 201, ""},
        {{"000", "007"}, false, 7, ""},
        {{""}, false, 77, "Адрес не набран: останется прежний, 077."},
        {{"200", "240"}, false, 77, "Адреса 240 нет: останется прежний, 077."},
        // The field refused "256" and holds "25": what is left of the typing is not stored.
        {{"2", "25"}, true, 77, "Адреса 256 нет (допустимы 000–201, 241, 254, 255): останется прежний, 077."},
    };
    for (const auto& c : cases) {
        entry(1)[1] = 77;
        desktop.Parameter(QStringLiteral("МС1"));
        for (const char* text : c.edits)
            pane->MaskEdit1Change(QString::fromLatin1(text));
        if (c.refusedAtTheEnd) pane->addressRefused(QStringLiteral("256"));
        EXPECT_EQ(pane->addressNote(), QString::fromUtf8(c.note)) << c.edits.back();
        pane->tzClick(1, true);
        desktop.ClearDesktop();
        EXPECT_EQ(entry(1)[1], c.stored) << c.edits.back();
        EXPECT_EQ(entry(1)[0], 0x01);
    }
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
    EXPECT_FALSE(pane->addressNote().isEmpty());
    desktop.ClearDesktop();
    EXPECT_EQ(entry(2)[1], 210);
}

}  // namespace
}  // namespace v5
