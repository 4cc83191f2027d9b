#include <gtest/gtest.h>

#include "tests/support/fake_module.h"
#include "tools/sim/module_simulator.h"

namespace v5::sim {
namespace {

QByteArray status(char first) {
    return QByteArray(1, first) + QByteArray(3, '\0');
}

// Connects as the program does and returns everything the module sends by `untilMs`.
QByteArray exchange(ModuleSimulator& module, const QByteArray& sent, qint64 untilMs = 0) {
    module.purged(0);
    QByteArray out = module.take(0, 1);
    if (!sent.isEmpty()) module.received(sent, 55);
    for (qint64 t = 55; t <= std::max<qint64>(untilMs, 55); t += 5)
        out += module.take(t, 1 << 20);
    return out;
}

ModuleSetup withImages() {
    ModuleSetup setup;
    setup.chip = test::patternBytes(32768, 1);
    setup.panel = test::patternBytes(32768, 2);
    setup.console = test::patternBytes(144, 3);
    return setup;
}

TEST(ModuleSimulatorTest, AnswersTheWakeUpAndEachCommandAsTheModuleDoes) {
    ModuleSetup setup = withImages();
    setup.keys = {QByteArray::fromHex("01a1a2a3a4a5a6b7"), QByteArray::fromHex("01b1b2b3b4b5b6c7")};
    setup.userDelayMs = 300;
    ModuleSimulator module(setup);
    // Asleep until the program purges its port.
    module.received("R", 0);
    EXPECT_FALSE(module.nextDue());

    EXPECT_EQ(exchange(module, "R"), "q" + setup.chip + status(0));
    EXPECT_EQ(exchange(module, "Q"), "q" + setup.panel);
    EXPECT_EQ(exchange(module, "K", 55 + 300), "q" + setup.keys[0]);
    EXPECT_EQ(module.take(55 + 600, 100), setup.keys[1]);
    EXPECT_EQ(exchange(module, "P", 55 + 300), "q" + setup.console);
    // An unknown command puts the module back to sleep.
    EXPECT_EQ(exchange(module, "Z"), "q");
    module.received("R", 60);
    EXPECT_TRUE(module.take(100, 1 << 20).isEmpty());
}

TEST(ModuleSimulatorTest, ChipAndPanelWritesStoreWhatArrivesInPiecesAndPanelWritesOnlyTheConfigurationArea) {
    const ModuleSetup setup = withImages();
    ModuleSimulator module(setup);
    const QByteArray image = test::patternBytes(32768, 9);

    EXPECT_EQ(exchange(module, "W" + image.left(1000)), "q");
    module.received(image.mid(1000), 60);
    EXPECT_EQ(module.take(60, 100), status(0));
    EXPECT_EQ(module.chip(), image);

    EXPECT_EQ(exchange(module, "E"), "q1");
    for (qsizetype b = 0; b < 192; ++b)
        module.received(image.mid(b * 64, 64), 100 + b);
    EXPECT_EQ(module.panel(), image.left(12288) + setup.panel.mid(12288));
    EXPECT_TRUE(module.take(1000, 100).isEmpty());
}

TEST(ModuleSimulatorTest, InjectsTheFaultsItIsToldTo) {
    ModuleSetup setup = withImages();
    {
        ModuleSetup s = setup;
        s.noWakeUp = true;
        ModuleSimulator m(s);
        EXPECT_TRUE(exchange(m, "R").isEmpty());
    }
    {
        ModuleSetup s = setup;
        s.wakeByte = 0x70;
        ModuleSimulator m(s);
        EXPECT_EQ(exchange(m, {}), "p");
    }
    {
        ModuleSetup s = setup;
        s.badStatus = true;
        ModuleSimulator m(s);
        EXPECT_EQ(exchange(m, "R"), "q" + s.chip + status(1));
        EXPECT_EQ(exchange(m, "W" + test::patternBytes(32768, 5)), "q" + status(1));
        EXPECT_EQ(m.chip(), s.chip);
    }
    {
        ModuleSetup s = setup;
        s.truncateAfter = 1000;
        ModuleSimulator m(s);
        EXPECT_EQ(exchange(m, "Q"), "q" + s.panel.left(1000));
        EXPECT_EQ(exchange(m, "P", 55 + 1000), "q" + s.console.left(144));
    }
    {
        ModuleSetup s = setup;
        s.panelNotReady = true;
        ModuleSimulator m(s);
        EXPECT_EQ(exchange(m, "E"), "q");
        s.panelNotReady = false;
        s.readyByte = '0';
        ModuleSimulator other(s);
        EXPECT_EQ(exchange(other, "E"), "q0");
    }
    {
        ModuleSetup s = setup;
        s.noConsole = true;
        ModuleSimulator m(s);
        EXPECT_EQ(exchange(m, "P", 5000), QByteArray("q\x02", 2));
    }
    {
        ModuleSetup s = setup;
        s.silentAfter = 100;
        ModuleSimulator m(s);
        EXPECT_EQ(exchange(m, "R"), "q" + s.chip.left(99));
        EXPECT_FALSE(m.hungUp());
        // Every connection goes silent after as many bytes.
        EXPECT_EQ(exchange(m, "Q"), "q" + s.panel.left(99));
    }
    {
        // Both memories keep one byte of every write inverted; the module still reports success.
        ModuleSetup s = setup;
        s.corruptWriteAt = 0x22F7;
        ModuleSimulator m(s);
        QByteArray image = test::patternBytes(32768, 6);
        EXPECT_EQ(exchange(m, "W" + image), "q" + status(0));
        EXPECT_EQ(exchange(m, "E" + image.left(12288)), "q1");
        image[0x22F7] = static_cast<char>(~image[0x22F7]);
        EXPECT_EQ(m.chip(), image);
        EXPECT_EQ(m.panel(), image.left(12288) + s.panel.mid(12288));
    }
    {
        ModuleSetup s = setup;
        s.hangUpAfter = 5000;
        ModuleSimulator m(s);
        EXPECT_EQ(exchange(m, "R"), "q" + s.chip.left(4999));
        EXPECT_TRUE(m.hungUp());
        EXPECT_FALSE(m.nextDue());
    }
}

TEST(ModuleSimulatorTest, ThePacerLetsTenBitsABytePassAndStartsAnIdleLineAfresh) {
    LinePacer pacer(115200);
    const qint64 second = 1'000'000'000;
    EXPECT_EQ(pacer.allowance(5 * second, true), 0);
    qint64 sent = 0;
    for (qint64 t = 5 * second; t <= 6 * second; t += 1'000'000) {
        const qint64 n = pacer.allowance(t, false);
        pacer.sent(n);
        sent += n;
    }
    EXPECT_EQ(sent, 11520);
    // After a pause the line does not send the missed time in a burst.
    EXPECT_EQ(pacer.allowance(60 * second, true), 0);
    EXPECT_EQ(pacer.allowance(60 * second + 1'000'000, false), 11);
}

}  // namespace
}  // namespace v5::sim
