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

class KeyWaitTest : public ::testing::Test {
protected:
    test::KeyDesktop d;

    qint64 closedAt() const {
        const auto closes = d.port.eventsOf(Op::Close);
        return closes.empty() ? -1 : closes.back().at;
    }
};

TEST_F(KeyWaitTest, NoKeyWithin101PollsClosesTheLinkAndHidesTheCard) {
    d.desktop.ClearDesktop();
    const Image before = d.image();
    d.presentKey(std::nullopt);
    bool shownWhileWaiting = false;
    d.clock.onSleep = [&](qint64) {
        shownWhileWaiting = d.card().waiting() && d.desktop.isPaneVisible(QStringLiteral("gbSKey")) &&
                            d.card().card() == KeyCardPane::Card::Waiting &&
                            d.card().caption() == QStringLiteral("Ключ");
    };
    d.card().keyAddClick();

    EXPECT_TRUE(shownWhileWaiting);
    std::vector<int> expected{5, 50};
    expected.insert(expected.end(), 101, 100);
    EXPECT_EQ(d.clock.sleeps, expected);
    EXPECT_EQ(d.port.written(), QByteArray("K"));
    EXPECT_FALSE(d.port.IsOpen());
    EXPECT_EQ(closedAt(), kCommandAt + 101 * 100);
    EXPECT_EQ(d.port.events[d.port.events.size() - 2].op, Op::DtrOn);
    EXPECT_TRUE(d.desktop.visiblePane().isEmpty());
    EXPECT_FALSE(d.card().waiting());
    EXPECT_TRUE(d.ui.messages.isEmpty());
    EXPECT_TRUE(d.prompts.messages.isEmpty());
    EXPECT_TRUE(d.image() == before);
}

TEST_F(KeyWaitTest, KeyIsTakenUpToTheLastPoll) {
    const struct {
        qint64 delay;
        bool taken;
    } cases[] = {{0, true}, {100 * 100, true}, {100 * 100 + 1, false}};
    for (const auto& c : cases) {
        test::KeyDesktop fresh;
        fresh.presentKey(kKey, c.delay);
        fresh.card().keyAddClick();
        EXPECT_EQ(!KeyEmpty(fresh.image(), 0), c.taken) << c.delay;
        EXPECT_EQ(fresh.desktop.isPaneVisible(QStringLiteral("gbSKey")), c.taken) << c.delay;
        EXPECT_FALSE(fresh.port.IsOpen()) << c.delay;
        if (c.taken) {
            EXPECT_EQ(fresh.clock.Now(), kCommandAt + c.delay) << c.delay;
        }
    }
}

TEST_F(KeyWaitTest, SilentModuleShowsTheLinksMessageAndNoCard) {
    d.module.wakeReply.reset();
    d.card().keyAddClick();
    EXPECT_EQ(d.ui.messages, QStringList{up5::NotConnected()});
    EXPECT_TRUE(d.desktop.visiblePane().isEmpty());
    EXPECT_EQ(d.clock.Now(), kCommandAt);
    EXPECT_TRUE(KeyEmpty(d.image(), 0));
}

TEST_F(KeyWaitTest, AnotherCommandEndsTheWait) {
    d.presentKey(std::nullopt);
    bool chosen = false;
    d.clock.onSleep = [&](qint64 now) {
        if (chosen || now < 1000) return;
        chosen = true;
        // What the window does when the user chooses "Редактировать" meanwhile.
        d.desktop.beforeCommand();
        d.list().N22Click();
    };
    d.card().keyAddClick();

    EXPECT_TRUE(chosen);
    EXPECT_FALSE(d.port.IsOpen());
    EXPECT_EQ(closedAt(), 1055);
    EXPECT_EQ(d.clock.Now(), 1055);  // the wait did not go on
    EXPECT_TRUE(d.desktop.isPaneVisible(QStringLiteral("gbKey")));
    EXPECT_FALSE(d.card().waiting());
}

TEST_F(KeyWaitTest, PaneResetAloneEndsTheWaitToo) {
    d.presentKey(std::nullopt);
    d.clock.onSleep = [&](qint64 now) {
        if (now == 555) d.desktop.Parameter(QStringLiteral("1"));  // a click on an empty slot
    };
    d.card().keyAddClick();
    EXPECT_EQ(closedAt(), 555);
    EXPECT_EQ(d.clock.Now(), 555);
    EXPECT_TRUE(d.desktop.visiblePane().isEmpty());
}

TEST_F(KeyWaitTest, AddingAgainDuringTheWaitStartsAFreshRead) {
    d.presentKey(std::nullopt);
    bool again = false;
    d.clock.onSleep = [&](qint64 now) {
        if (again || now < 555) return;
        again = true;
        d.presentKey(kKey, 200);
        d.desktop.beforeCommand();
        d.card().keyAddClick();
    };
    d.card().keyAddClick();

    EXPECT_EQ(d.port.count(Op::Open), 2);
    EXPECT_EQ(d.port.count(Op::Close), 2);
    EXPECT_FALSE(d.port.IsOpen());
    EXPECT_EQ(d.card().caption(), QStringLiteral("Ключ добавлен"));
    EXPECT_EQ(keyCode(d.image(), 0), kKey);
    EXPECT_EQ(d.clock.Now(), 555 + 55 + 200);
}

QByteArray consoleBlock(int seed) {
    QByteArray block(144, '\0');
    for (int i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>(seed + 3 * i);
    return block;
}

TEST_F(KeyWaitTest, ConsoleKeysAreCopiedAndAShownListListsThem) {
    test::storeKey(d.image(), 5, printedCode(0x42), 0xFF);
    const QByteArray block = consoleBlock(1);
    d.module.onCommand[up5::kConsoleKeys] = [&] { d.port.arriveAt(d.clock.Now() + 2000, block); };
    d.list().N22Click();
    d.list().btnZonaClick();  // no key of a zone yet
    ASSERT_TRUE(d.list().lines().empty());
    d.desktop.runCommand(QStringLiteral("N16"));

    EXPECT_EQ(d.ui.messages, QStringList{up5::ConsoleDone()});
    EXPECT_EQ(d.port.written(), QByteArray("P"));
    EXPECT_EQ(keyCode(d.image(), 960), (KeyCode{1, 4, 7, 10, 13, 16}));
    EXPECT_EQ(d.record(960)[kAssignmentByte], 0xFA);
    EXPECT_EQ(d.record(986)[kTarniaByte], 11);
    // The list is still the one shown, in its order; installer and ГЗ keys are not listed by zone.
    EXPECT_TRUE(d.desktop.isPaneVisible(QStringLiteral("gbKey")));
    EXPECT_TRUE(d.list().lines().empty());
    d.list().btnNmbClick();
    d.list().btnEmptyClick();
    EXPECT_EQ(d.list().lines().size(), 1u);
    d.list().btnNmbClick();
    const Image once = d.image();
    d.desktop.runCommand(QStringLiteral("N16"));
    EXPECT_TRUE(d.image() == once);
    ASSERT_EQ(d.list().lines().size(), 25u);
    EXPECT_EQ(d.list().lines()[1].record, 960u);

    // The list shown while the keys arrive shows them at once.
    test::KeyDesktop other;
    other.module.onCommand[up5::kConsoleKeys] = [&] { other.port.arriveAt(other.clock.Now() + 10, block); };
    other.list().N22Click();
    other.desktop.runCommand(QStringLiteral("N16"));
    EXPECT_EQ(other.list().lines().size(), 24u);
}

TEST_F(KeyWaitTest, CardShownDuringACopyShowsItsRecordAsCopied) {
    test::storeKey(d.image(), 960, printedCode(0x42), 0x04);
    setZonaMask(d.image(), 5, test::loops({2}));
    d.list().N22Click();
    d.list().clbKeyClick(0);
    ASSERT_EQ(d.card().userType(), KeyCardPane::Khozyain);
    const QByteArray block = consoleBlock(7);
    d.module.onCommand[up5::kConsoleKeys] = [&] { d.port.arriveAt(d.clock.Now() + 10, block); };
    d.desktop.runCommand(QStringLiteral("N16"));
    // The card now shows the installer key the console put there; leaving it keeps that key as it is.
    EXPECT_EQ(d.card().userType(), KeyCardPane::Monter);
    EXPECT_EQ(d.card().labelKey(), QStringLiteral("код: 1613100D0A07"));
    d.desktop.ClearDesktop();
    EXPECT_EQ(d.record(960)[kAssignmentByte], 0xFA);
}

TEST_F(KeyWaitTest, MissingConsoleChangesNothing) {
    d.module.onCommand[up5::kConsoleKeys] = [&] { d.port.arrive(QByteArray(1, '\x02')); };
    const Image before = d.image();
    d.desktop.runCommand(QStringLiteral("N16"));
    EXPECT_EQ(d.ui.messages, QStringList{up5::ConsoleMissing()});
    EXPECT_TRUE(d.image() == before);
}

}  // namespace
}  // namespace v5
