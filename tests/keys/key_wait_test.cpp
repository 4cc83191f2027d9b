// The key card's device work in virtual time: the wait for a key and the copy of the console's keys.
#include <gtest/gtest.h>

#include "key_desktop.h"
#include "up5_texts.h"

namespace v5 {
namespace {

using Op = test::FakePort::Op;
using test::printedCode;

const KeyCode kKey = printedCode(0x0000A1B2C3D4);
// The key-reader command goes out after the 5 ms DTR pulse and the 50 ms wait for the wake-up.
constexpr qint64 kCommandAt = 55;

qint64 closedAt(const test::FakePort& port) {
    const auto closes = port.eventsOf(Op::Close);
    return closes.empty() ? -1 : closes.back().at;
}

TEST(KeyWait, NoKeyWithin101PollsClosesTheLinkAndHidesTheCardSilently) {
    test::KeyDesktop d;
    d.desktop.ClearDesktop();
    const Image before = d.image();
    bool cardWaits = false;
    d.clock.onSleep = [&](qint64 now) {
        if (now == kCommandAt + 100)
            cardWaits = d.card().card() == KeyCardPane::Card::Waiting &&
                        d.desktop.isPaneVisible(QStringLiteral("gbSKey"));
    };
    d.card().keyAddClick();

    EXPECT_TRUE(cardWaits);
    std::vector<int> expected{5, 50};
    expected.insert(expected.end(), 101, 100);
    EXPECT_EQ(d.clock.sleeps, expected);
    EXPECT_EQ(d.port.written(), QByteArray("K"));
    EXPECT_EQ(closedAt(d.port), kCommandAt + 101 * 100);
    EXPECT_EQ(d.port.events[d.port.events.size() - 2].op, Op::DtrOn);
    EXPECT_TRUE(d.desktop.visiblePane().isEmpty());
    EXPECT_TRUE(d.ui.messages.isEmpty() && d.prompts.messages.isEmpty());
    EXPECT_TRUE(d.image() == before);

    // A module that does not answer: its message, and no card.
    d.module.wakeReply.reset();
    d.card().keyAddClick();
    EXPECT_EQ(d.ui.messages, QStringList{up5::NotConnected()});
    EXPECT_TRUE(d.desktop.visiblePane().isEmpty());
}

TEST(KeyWait, KeyIsTakenUpToTheLastPoll) {
    for (const qint64 delay : {0, 100 * 100, 100 * 100 + 1}) {
        const bool inTime = delay <= 100 * 100;
        test::KeyDesktop d;
        d.presentKey(kKey, delay);
        d.card().keyAddClick();
        EXPECT_EQ(!KeyEmpty(d.image(), 0), inTime) << delay;
        EXPECT_EQ(d.desktop.isPaneVisible(QStringLiteral("gbSKey")), inTime) << delay;
        EXPECT_FALSE(d.port.IsOpen()) << delay;
        EXPECT_EQ(d.clock.Now(), inTime ? kCommandAt + delay : kCommandAt + 101 * 100) << delay;
    }
}

TEST(KeyWait, AnotherCommandOrAPaneResetEndsTheWait) {
    const struct {
        const char* what;
        void (*command)(test::KeyDesktop&);
        const char* paneAfter;
    } cases[] = {
        {"Редактировать",
         [](test::KeyDesktop& d) {
             d.desktop.beforeCommand();  // what the window does before every command
             d.list().N22Click();
         },
         "gbKey"},
        {"a click on an empty slot", [](test::KeyDesktop& d) { d.desktop.Parameter(QStringLiteral("1")); },
         ""},
    };
    for (const auto& c : cases) {
        test::KeyDesktop d;
        d.clock.onSleep = [&](qint64 now) {
            if (now == 555) c.command(d);
        };
        d.card().keyAddClick();
        EXPECT_EQ(closedAt(d.port), 555) << c.what;
        EXPECT_EQ(d.clock.Now(), 555) << c.what;  // the wait did not go on
        EXPECT_EQ(d.desktop.visiblePane(), QString::fromLatin1(c.paneAfter)) << c.what;
        EXPECT_FALSE(d.card().waiting()) << c.what;
    }
}

TEST(KeyWait, AddingAgainDuringTheWaitStartsAFreshRead) {
    test::KeyDesktop d;
    d.clock.onSleep = [&](qint64 now) {
        if (now != 555) return;
        d.presentKey(kKey, 200);
        d.desktop.beforeCommand();
        d.card().keyAddClick();
    };
    d.card().keyAddClick();

    EXPECT_EQ(d.port.count(Op::Open), 2);
    EXPECT_EQ(d.port.count(Op::Close), 2);
    EXPECT_EQ(d.card().caption(), QStringLiteral("Ключ добавлен"));
    EXPECT_EQ(keyCode(d.image(), 0), kKey);
    EXPECT_EQ(d.clock.Now(), 555 + kCommandAt + 200);
}

TEST(ConsoleKeys, CopiedThroughTheModuleIntoWhatIsOnScreen) {
    QByteArray block(144, '\0');
    for (int i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>(7 + 3 * i);
    test::KeyDesktop d;
    d.module.onCommand[up5::kConsoleKeys] = [&] { d.port.arriveAt(d.clock.Now() + 2000, block); };
    // A list on screen lists the copied keys at once.
    d.list().N22Click();
    d.desktop.runCommand(QStringLiteral("N16"));
    EXPECT_EQ(d.ui.messages, QStringList{up5::ConsoleDone()});
    EXPECT_EQ(d.port.written(), QByteArray("P"));
    EXPECT_EQ(d.list().lines().size(), 24u);
    EXPECT_EQ(d.list().lines()[0].record, 960u);

    // A card on screen shows its record as the copy left it; leaving it keeps that installer key.
    test::storeKey(d.image(), 960, printedCode(0x42), 0x04);
    setZonaMask(d.image(), 5, test::loops({2}));
    d.list().N22Click();
    d.list().clbKeyClick(0);
    ASSERT_EQ(d.card().userType(), KeyCardPane::Khozyain);
    d.desktop.runCommand(QStringLiteral("N16"));
    EXPECT_EQ(d.card().userType(), KeyCardPane::Monter);
    EXPECT_EQ(d.card().labelKey(), QStringLiteral("код: 1613100D0A07"));
    d.desktop.ClearDesktop();
    EXPECT_EQ(d.record(960)[kAssignmentByte], 0xFA);

    // No console on the module: its message, and nothing changes.
    d.module.onCommand[up5::kConsoleKeys] = [&] { d.port.arrive(QByteArray(1, '\x02')); };
    const Image before = d.image();
    d.desktop.runCommand(QStringLiteral("N16"));
    EXPECT_EQ(d.ui.messages.last(), up5::ConsoleMissing());
    EXPECT_TRUE(d.image() == before);
}

}  // namespace
}  // namespace v5
