#include <gtest/gtest.h>

#include <functional>

#include "tests/support/fake_module.h"
#include "tests/support/fake_port.h"
#include "image/image.h"
#include "tests/support/recording_ui.h"
#include "link/up5.h"
#include "link/up5_texts.h"
#include "tests/support/virtual_clock.h"

namespace v5 {
namespace {

using Op = test::FakePort::Op;

QByteArray status(std::uint8_t first) {
    return QByteArray(1, static_cast<char>(first)) + QByteArray(3, '\0');
}

class Up5Test : public ::testing::Test {
protected:
    test::VirtualClock clock;
    test::FakePort port{clock};
    test::FakeModule module{port, clock};
    test::RecordingUi ui;
    TUP5 up5{port, ui, clock};
    Image::Bytes image{};
    qint64 messageTime = -1;
    bool openAtMessage = false;

    void SetUp() override {
        up5.SetPortName(QStringLiteral("COM3"));
        image.fill(0x5A);
        ui.onMessage = [this](const QString&) {
            messageTime = clock.Now();
            openAtMessage = port.IsOpen();
        };
    }
    QByteArray imageBytes() const {
        return QByteArray(reinterpret_cast<const char*>(image.data()), image.size());
    }
    void setImage(const QByteArray& bytes) { std::copy(bytes.begin(), bytes.end(), image.begin()); }
    // The module answers a command with `reply`, `delay` ms after the command byte.
    void answer(std::uint8_t command, const QByteArray& reply, qint64 delay = 0) {
        module.onCommand[command] = [this, reply, delay] { port.arriveAt(clock.Now() + delay, reply); };
    }
    std::vector<qint64> writeTimes() const {
        std::vector<qint64> times;
        for (const auto& e : port.eventsOf(Op::Write))
            times.push_back(e.at);
        return times;
    }
    void expectClosedWithDtrRaised() {
        ASSERT_FALSE(port.IsOpen());
        ASSERT_GE(port.events.size(), 2u);
        EXPECT_EQ(port.events.back().op, Op::Close);
        EXPECT_EQ(port.events[port.events.size() - 2].op, Op::DtrOn);
    }
};

// Every operation the window and the key panes start, as one call each.
struct Operation {
    const char* name;
    std::function<bool(TUP5&, Image::Bytes&)> run;
};
const Operation kOperations[] = {
    {"ReadChip", [](TUP5& u, Image::Bytes& i) { return u.ReadChip(i); }},
    {"WriteChip", [](TUP5& u, Image::Bytes& i) { return u.WriteChip(i); }},
    {"ReadPanel", [](TUP5& u, Image::Bytes& i) { return u.ReadPanel(i); }},
    {"WritePanel", [](TUP5& u, Image::Bytes& i) { return u.WritePanel(i); }},
    {"StartKeyReader", [](TUP5& u, Image::Bytes&) { return u.StartKeyReader(); }},
    {"ReadConsoleKeys",
     [](TUP5& u, Image::Bytes& i) {
         return u.ReadConsoleKeys(std::span(i).first<up5::kConsoleBlockSize>());
     }},
};

TEST_F(Up5Test, ConnectOpensAt115200PurgesPulsesDtrAndSendsTheCommandAfterTheWakeUp) {
    ASSERT_TRUE(up5.StartKeyReader());
    EXPECT_EQ(port.openedName, QStringLiteral("COM3"));
    EXPECT_EQ(port.openedBaudRate, 115200);
    ASSERT_EQ(port.events.size(), 6u);
    const std::vector<std::pair<Op, qint64>> expected = {{Op::Open, 0},        {Op::PurgeInput, 0},
                                                         {Op::PurgeOutput, 0}, {Op::DtrOn, 0},
                                                         {Op::DtrOff, 5},      {Op::Write, 55}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(port.events[i].op, expected[i].first) << i;
        EXPECT_EQ(port.events[i].at, expected[i].second) << i;
    }
    EXPECT_EQ(port.written(), QByteArray("K"));
    // Key-reader mode keeps the port open and shows no window.
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(ui.shows, 0);
    up5.Disconnect();
    expectClosedWithDtrRaised();
}

TEST_F(Up5Test, EveryOperationReportsAPortThatCannotBeOpenedOrIsNotChosen) {
    for (const Operation& op : kOperations) {
        for (const bool chosen : {true, false}) {
            SCOPED_TRACE(op.name);
            ui.messages.clear();
            port.refuseOpen = chosen;
            up5.SetPortName(chosen ? QStringLiteral("COM3") : QString());
            const Image::Bytes before = image;
            EXPECT_FALSE(op.run(up5, image));
            // The prescribed first line, then the port and why.
            EXPECT_EQ(ui.messages,
                      QStringList{chosen ? QStringLiteral("Ошибка открытия порта \nпорт COM3: нет "
                                                          "доступа, или порт занят другой программой")
                                         : QStringLiteral("Ошибка открытия порта \nпорт не выбран")});
            EXPECT_FALSE(port.IsOpen());
            EXPECT_EQ(image, before);
        }
    }
    EXPECT_TRUE(port.written().isEmpty());
}

TEST_F(Up5Test, AWrongOrMissingOrLateWakeUpSendsNoCommandAndFreesThePortBeforeTheMessage) {
    struct Case {
        const char* name;
        std::function<void()> script;
    };
    const Case cases[] = {
        {"wrong byte", [this] { module.wakeReply = 0x70; }},
        {"no answer", [this] { module.wakeReply.reset(); }},
        {"after 50 ms",
         [this] {
             module.wakeReply.reset();
             port.onPurgeInput = [this] { port.arriveAt(clock.Now() + 56, "q"); };
         }},
    };
    for (const Case& c : cases) {
        for (const Operation& op : kOperations) {
            SCOPED_TRACE(std::string(c.name) + " " + op.name);
            c.script();
            clock.Sleep(1000);  // a late answer belongs to its own attempt
            ui.messages.clear();
            openAtMessage = true;
            const Image::Bytes before = image;
            EXPECT_FALSE(op.run(up5, image));
            EXPECT_EQ(ui.messages, QStringList{up5::NotConnected()});
            EXPECT_FALSE(openAtMessage);
            EXPECT_FALSE(port.IsOpen());
            EXPECT_EQ(port.count(Op::Write), 0);
            EXPECT_EQ(image, before);
            EXPECT_FALSE(up5.Connected());
        }
    }
}

TEST_F(Up5Test, ReadChipReplacesTheImageWhenAllBytesAndAGoodStatusArrive) {
    const QByteArray chip = test::patternBytes(32768, 1);
    answer('R', chip + status(0x00));
    ASSERT_TRUE(up5.ReadChip(image));
    EXPECT_EQ(imageBytes(), chip);
    EXPECT_EQ(port.written(), QByteArray("R"));
    EXPECT_EQ(ui.labels.first(), QStringLiteral("чтение 24c256"));
    EXPECT_EQ(ui.ranges.front(), std::make_pair(0, 32768));
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("чтение 24c256 - успешно")});
    EXPECT_TRUE(openAtMessage);
    expectClosedWithDtrRaised();
}

TEST_F(Up5Test, ReadChipWithABadStatusLeavesTheImageAsItWasAndFailsWhenTheBudgetIsSpent) {
    answer('R', test::patternBytes(32768, 2) + status(0x01));
    const Image::Bytes before = image;
    EXPECT_FALSE(up5.ReadChip(image));
    EXPECT_EQ(image, before);
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("чтение 24c256 - ошибка")});
    EXPECT_EQ(messageTime, 55 + 1001 * 10);
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(Up5Test, ReadChipPollsAThousandAndOneTimesTenMillisecondsApart) {
    const QByteArray chip = test::patternBytes(32768, 3);
    // The last poll starts 55 + 1000 * 10 ms after the command.
    answer('R', chip + status(0x00), 1000 * 10);
    EXPECT_TRUE(up5.ReadChip(image));
    EXPECT_EQ(imageBytes(), chip);

    image.fill(0);
    answer('R', chip + status(0x00), 1000 * 10 + 1);
    const qint64 start = clock.Now();
    EXPECT_FALSE(up5.ReadChip(image));
    EXPECT_EQ(messageTime - start, 55 + 1001 * 10);
    EXPECT_EQ(image, Image::Bytes{});

    // One status byte short is never enough.
    answer('R', chip + status(0x00).left(3));
    EXPECT_FALSE(up5.ReadChip(image));
    EXPECT_EQ(image, Image::Bytes{});
}

TEST_F(Up5Test, WriteChipSendsTheWholeImageIn512BlocksFiftyMillisecondsApart) {
    setImage(test::patternBytes(32768, 4));
    const QByteArray sent = imageBytes();
    module.onData = [this](const QByteArray&) {
        if (module.data().size() == 32768) port.arrive(status(0x00));
    };
    ASSERT_TRUE(up5.WriteChip(image));
    EXPECT_EQ(port.written(), QByteArray("W") + sent);
    const auto writes = port.eventsOf(Op::Write);
    ASSERT_EQ(writes.size(), 1u + 512u);
    for (std::size_t b = 0; b < 512; ++b) {
        EXPECT_EQ(writes[1 + b].bytes.size(), 64);
        // 20 ms after the command, then one block every 50 ms.
        EXPECT_EQ(writes[1 + b].at, 55 + 20 + 50 * static_cast<qint64>(b)) << b;
    }
    EXPECT_EQ(ui.ranges.front(), std::make_pair(0, 511));
    EXPECT_EQ(
        ui.labels,
        (QStringList{QStringLiteral("запись 24c256"), QStringLiteral("запись 24c256 - запись"),
                     QStringLiteral("запись 24c256 - проверка"), QStringLiteral("запись 24c256 - успешно")}));
    EXPECT_EQ(ui.messages.size(), 1);
    expectClosedWithDtrRaised();
}

TEST_F(Up5Test, WriteChipFailsWithoutAGoodStatusWithin512ChecksTwentyMillisecondsApart) {
    for (const bool badStatus : {false, true}) {
        SCOPED_TRACE(badStatus);
        module.onData = [this, badStatus](const QByteArray&) {
            if (badStatus && module.data().size() == 32768) port.arrive(status(0x07));
        };
        const qint64 start = clock.Now();
        ui.messages.clear();
        EXPECT_FALSE(up5.WriteChip(image));
        EXPECT_EQ(ui.messages, QStringList{QStringLiteral("запись 24c256 - ошибка")});
        EXPECT_EQ(messageTime - start, 55 + 20 + 512 * 50 + 512 * 20);
        EXPECT_FALSE(port.IsOpen());
    }
}

TEST_F(Up5Test, WritesSendTheImageAsItWasWhenTheCommandStarted) {
    setImage(test::patternBytes(32768, 5));
    const QByteArray original = imageBytes();
    // The window stays usable: an edit lands in the image half-way through.
    ui.onProcessEvents = [this] { image[100] ^= 0xFF, image[0x2000] ^= 0xFF; };
    EXPECT_FALSE(up5.WriteChip(image));
    EXPECT_EQ(port.written().mid(1), original);

    setImage(original);
    port.events.clear();
    answer('E', "1");
    EXPECT_TRUE(up5.WritePanel(image));
    EXPECT_EQ(port.written().mid(1), original.left(0x3000));
}

TEST_F(Up5Test, ReadPanelTakesThe32768BytesAndReadsNoStatus) {
    const QByteArray panel = test::patternBytes(32768, 6);
    answer('Q', panel + "xyz", 250);
    ASSERT_TRUE(up5.ReadPanel(image));
    EXPECT_EQ(imageBytes(), panel);
    EXPECT_EQ(port.written(), QByteArray("Q"));
    EXPECT_EQ(ui.labels.first(), QStringLiteral("чтение прошивки Вистан-5"));
    EXPECT_EQ(ui.ranges.front(), std::make_pair(0, 32767));
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("чтение прошивки Вистан-5 - успешно")});
    EXPECT_EQ(messageTime, 55 + 300);
    expectClosedWithDtrRaised();
}

TEST_F(Up5Test, ReadPanelWaits6001PollsAHundredMillisecondsApart) {
    const QByteArray panel = test::patternBytes(32768, 7);
    answer('Q', panel, 6000 * 100);
    EXPECT_TRUE(up5.ReadPanel(image));
    EXPECT_EQ(imageBytes(), panel);

    image.fill(0);
    for (const auto& late : {panel.left(32767), QByteArray()}) {
        answer('Q', late.isEmpty() ? panel : late, late.isEmpty() ? 6000 * 100 + 1 : 0);
        const qint64 start = clock.Now();
        EXPECT_FALSE(up5.ReadPanel(image));
        EXPECT_EQ(messageTime - start, 55 + 6001 * 100);
        EXPECT_EQ(ui.messages.last(), QStringLiteral("чтение прошивки Вистан-5 - ошибка"));
        EXPECT_EQ(image, Image::Bytes{});
    }
}

TEST_F(Up5Test, WritePanelSendsOnlyTheConfigurationAreaIn192BlocksAfterTheReadyByte) {
    setImage(test::patternBytes(32768, 8));
    const QByteArray original = imageBytes();
    answer('E', "1", 30);
    ASSERT_TRUE(up5.WritePanel(image));
    const auto writes = port.eventsOf(Op::Write);
    ASSERT_EQ(writes.size(), 1u + 192u);
    EXPECT_EQ(port.written(), QByteArray("E") + original.left(12288));
    // Ready found at the third poll (55 + 2 * 20 ms); one block every 100 ms.
    for (std::size_t b = 0; b < 192; ++b)
        EXPECT_EQ(writes[1 + b].at, 55 + 40 + 100 * static_cast<qint64>(b)) << b;
    EXPECT_EQ(ui.labels, (QStringList{QStringLiteral("запись прошивки Вистан-5 - ожидание готовности"),
                                      QStringLiteral("запись прошивки Вистан-5 - запись"),
                                      QStringLiteral("запись прошивки Вистан-5 - успешно")}));
    EXPECT_EQ(ui.ranges.front(), std::make_pair(0, 192));
    expectClosedWithDtrRaised();
}

TEST_F(Up5Test, WritePanelFailsOnAnotherReadyByteAtOnceAndWithoutOneAfter193Polls) {
    answer('E', "0");
    EXPECT_FALSE(up5.WritePanel(image));
    EXPECT_EQ(port.written(), QByteArray("E"));
    EXPECT_EQ(messageTime, 55);
    EXPECT_EQ(ui.messages.last(), QStringLiteral("запись прошивки Вистан-5 - ошибка"));

    // The last poll starts 192 * 20 ms after the command.
    answer('E', "1", 192 * 20);
    port.events.clear();
    EXPECT_TRUE(up5.WritePanel(image));
    EXPECT_EQ(port.written().size(), 1 + 12288);

    answer('E', "1", 192 * 20 + 1);
    port.events.clear();
    const qint64 start = clock.Now();
    EXPECT_FALSE(up5.WritePanel(image));
    EXPECT_EQ(port.written(), QByteArray("E"));
    EXPECT_EQ(messageTime - start, 55 + 193 * 20);
}

TEST_F(Up5Test, CancelStopsBeforeTheNextBlockClosesThePortAndShowsNoMessage) {
    answer('E', "1");
    for (const bool chip : {true, false}) {
        SCOPED_TRACE(chip);
        port.events.clear();
        ui.messages.clear();
        bool openAfterClick = true;
        ui.onProcessEvents = [&] {
            if (port.count(Op::Write) == 1 + 10) {
                ui.Button1Click();
                openAfterClick = port.IsOpen();
            }
        };
        EXPECT_FALSE(chip ? up5.WriteChip(image) : up5.WritePanel(image));
        EXPECT_FALSE(openAfterClick);
        EXPECT_EQ(port.count(Op::Write), 1 + 10);
        EXPECT_TRUE(ui.messages.isEmpty());
        EXPECT_FALSE(ui.visible);
        EXPECT_FALSE(port.IsOpen());
    }
}

// A transfer as one call, for the cases that run every transfer alike.
using Transfer = std::function<bool(TUP5&, Image::Bytes&)>;
bool readConsole(TUP5& u, Image::Bytes& i) {
    return u.ReadConsoleKeys(std::span(i).first<up5::kConsoleBlockSize>());
}

TEST_F(Up5Test, CancelWhileWaitingForTheDeviceEndsTheTransferWithoutAMessage) {
    struct Case {
        const char* name;
        Transfer run;
        qint64 cancelAt;  // ms after the start, while the transfer waits for the module
    };
    const Case cases[] = {
        {"ReadChip", [](TUP5& u, Image::Bytes& i) { return u.ReadChip(i); }, 2000},
        {"ReadPanel", [](TUP5& u, Image::Bytes& i) { return u.ReadPanel(i); }, 5000},
        {"WriteChip status check", [](TUP5& u, Image::Bytes& i) { return u.WriteChip(i); }, 30'000},
        {"WritePanel ready wait", [](TUP5& u, Image::Bytes& i) { return u.WritePanel(i); }, 1000},
        {"ReadConsoleKeys", readConsole, 5000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        const qint64 start = clock.Now();
        ui.onProcessEvents = [&] {
            if (clock.Now() - start >= c.cancelAt) ui.Button1Click();
        };
        const Image::Bytes before = image;
        EXPECT_FALSE(c.run(up5, image));
        EXPECT_TRUE(ui.messages.isEmpty());
        EXPECT_FALSE(port.IsOpen());
        EXPECT_EQ(image, before);
        EXPECT_LE(clock.Now() - start, c.cancelAt + 2 * 100);
    }
}

TEST_F(Up5Test, APortThatVanishesEndsTheTransferWithItsFailureMessageAtOnce) {
    struct Case {
        const char* name;
        Transfer run;
        QString message;
    };
    const Case cases[] = {
        {"ReadChip", [](TUP5& u, Image::Bytes& i) { return u.ReadChip(i); }, up5::ReadChipError()},
        {"ReadPanel", [](TUP5& u, Image::Bytes& i) { return u.ReadPanel(i); }, up5::ReadPanelError()},
        {"WriteChip", [](TUP5& u, Image::Bytes& i) { return u.WriteChip(i); }, up5::WriteChipError()},
        {"WritePanel", [](TUP5& u, Image::Bytes& i) { return u.WritePanel(i); }, up5::WritePanelError()},
        {"ReadConsoleKeys", readConsole, up5::NotConnected()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Each case on a port of its own: an unplugged adapter stays unplugged.
        test::FakePort usb{clock};
        test::FakeModule usbModule{usb, clock};
        usbModule.onCommand['R'] = [&] { usb.arrive(test::patternBytes(20000)); };
        usbModule.onCommand['E'] = [&] { usb.arrive("1"); };
        TUP5 driver{usb, ui, clock};
        driver.SetPortName(QStringLiteral("/dev/ttyUSB0"));
        ui.messages.clear();
        const qint64 start = clock.Now();
        usb.unplugAt(start + 1000);
        const Image::Bytes before = image;
        EXPECT_FALSE(c.run(driver, image));
        EXPECT_EQ(ui.messages, QStringList{c.message});
        EXPECT_LE(messageTime - start, 1000 + 100);
        EXPECT_EQ(image, before);
        EXPECT_FALSE(usb.IsOpen());
    }
}

TEST_F(Up5Test, ABlockTheLineDoesNotTakeWholeFailsTheWriteInsteadOfReportingSuccess) {
    answer('E', "1");
    port.acceptOnly = 1 + 64 * 5 + 10;
    EXPECT_FALSE(up5.WritePanel(image));
    EXPECT_EQ(ui.messages, QStringList{up5::WritePanelError()});
    EXPECT_EQ(port.count(Op::Write), 1 + 6);
}

TEST_F(Up5Test, KeyCodesAreTakenEightBytesAtATimeWithoutWaiting) {
    answer('K', QByteArray::fromHex("01aabbccddeeff"));
    ASSERT_TRUE(up5.StartKeyReader());
    std::array<std::uint8_t, 8> code{};
    EXPECT_FALSE(up5.ReadKeyCode(code));
    EXPECT_EQ(port.pending(), 7);
    port.arrive(QByteArray::fromHex("3c01020304050607"));
    EXPECT_TRUE(up5.ReadKeyCode(code));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(code.data()), 8),
              QByteArray::fromHex("01aabbccddeeff3c"));
    EXPECT_EQ(port.pending(), 7);
    EXPECT_TRUE(clock.sleeps.size() == 2);  // only the wake-up pauses
}

TEST_F(Up5Test, ConsoleKeysArriveAsOneBlockOrTheModuleReportsNoConsole) {
    std::array<std::uint8_t, 144> keys{};
    answer('P', QByteArray(1, 0x02));
    EXPECT_FALSE(up5.ReadConsoleKeys(keys));
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("пульт не подключен")});
    EXPECT_EQ(ui.labels.first(), QStringLiteral("На КН-4 нажмите RST, введите код пульта, F9 ВВОД"));
    EXPECT_FALSE(port.IsOpen());

    // Any other byte at once is dropped; the block comes when the installer has typed the code.
    const QByteArray block = test::patternBytes(144, 9);
    module.onCommand['P'] = [&] {
        port.arrive(QByteArray(1, 0x05));
        port.arriveAt(clock.Now() + 20'000, block);
    };
    ui.messages.clear();
    ASSERT_TRUE(up5.ReadConsoleKeys(keys));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(keys.data()), 144), block);
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("чтение ключей из КН-4 - успешно")});
    expectClosedWithDtrRaised();
}

}  // namespace
}  // namespace v5
