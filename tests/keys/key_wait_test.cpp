// The key card's device work in virtual time: the wait for a key and the copy of the console's keys.
#include <gtest/gtest.h>

#include "tests/keys/key_desktop.h"
#include "link/up5_texts.h"

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
    d.prompts.replaceAnswers = {true};  // the key in 960 is the user's own: asked first
    d.desktop.runCommand(QStringLiteral("N16"));
    EXPECT_EQ(d.prompts.replaceQuestions.size(), 1);
    EXPECT_EQ(d.card().userType(), KeyCardPane::Monter);
    EXPECT_EQ(d.card().labelKey(), QStringLiteral("код: 1613100D0A07"));
    d.desktop.ClearDesktop();
    EXPECT_EQ(d.record(960)[kAssignmentByte], 0xFA);

    // No console on the module: its message, and nothing changes. Only keys the copy wrote are in
    // its places, so nothing is asked.
    d.module.onCommand[up5::kConsoleKeys] = [&] { d.port.arrive(QByteArray(1, '\x02')); };
    const Image before = d.image();
    d.desktop.runCommand(QStringLiteral("N16"));
    EXPECT_EQ(d.ui.messages.last(), up5::ConsoleMissing());
    EXPECT_TRUE(d.image() == before);
    EXPECT_EQ(d.prompts.replaceQuestions.size(), 1);
}

TEST(ConsoleKeys, KeysOfTheUsersOwnInTheConsolesPlacesAreKeptUnlessTheUserSaysReplace) {
    test::KeyDesktop d;
    QByteArray block(144, '\0');
    for (int i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>(1 + i);
    d.module.onCommand[up5::kConsoleKeys] = [&] { d.port.arriveAt(d.clock.Now() + 2000, block); };
    test::storeKey(d.image(), 962, printedCode(0xABCDEF0123CD), 0x05, 3);  // a zone key, typed by hand
    test::storeKey(d.image(), 985, printedCode(0x77), 0xFB, 10);  // ГЗ code 11 as the copy writes it
    test::storeKey(d.image(), 972, printedCode(0x78), 0x05);      // no place of the copy's
    const Image before = d.image();

    // The default answer keeps them: the console is not even read.
    d.desktop.runCommand(QStringLiteral("N16"));
    ASSERT_EQ(d.prompts.replaceQuestions.size(), 1);
    const QString question = d.prompts.replaceQuestions.front();
    EXPECT_TRUE(question.contains(AddLine(before, 962))) << qPrintable(question);
    EXPECT_FALSE(question.contains(QStringLiteral("Ключ 986"))) << qPrintable(question);
    EXPECT_FALSE(question.contains(QStringLiteral("Ключ 973"))) << qPrintable(question);
    EXPECT_TRUE(question.endsWith(QStringLiteral("[Заменить / Оставить]")));
    EXPECT_TRUE(d.image() == before);
    EXPECT_TRUE(d.port.written().isEmpty());

    d.prompts.replaceAnswers = {true};
    d.desktop.runCommand(QStringLiteral("N16"));
    EXPECT_EQ(keyCode(d.image(), 962), codeOfRom(KeyRom{0, 13, 14, 15, 16, 17, 18}));
    EXPECT_EQ(d.record(962)[kAssignmentByte], 0xFA);
    // What the copy wrote is its own: a second copy asks nothing.
    d.desktop.runCommand(QStringLiteral("N16"));
    EXPECT_EQ(d.prompts.replaceQuestions.size(), 2);
    EXPECT_EQ(d.ui.messages, (QStringList{up5::ConsoleDone(), up5::ConsoleDone()}));
}

}  // namespace
}  // namespace v5
