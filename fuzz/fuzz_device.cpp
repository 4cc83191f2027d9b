// The input module's driver fed arbitrary replies through the fake port and virtual time. Every
// operation must end in one of its messages (or in the user's cancel) and never hang.
//
// Input: the operation, a flag byte, a parameter byte, then reply chunks: a literal run (length, delay,
// bytes), a filled run (256-byte blocks of one value, delay) or a pause.
#include <array>
#include <cstddef>
#include <cstdint>

#include "tests/support/fake_port.h"
#include "fuzz/fuzz_common.h"
#include "tests/support/recording_ui.h"
#include "link/up5.h"
#include "link/up5_texts.h"
#include "tests/support/virtual_clock.h"

namespace v5::fuzz {
namespace {

enum Op { ReadChip, WriteChip, ReadPanel, WritePanel, KeyReader, ConsoleKeys, OpCount };

// A day of virtual time: every budget of the driver is far shorter.
constexpr qint64 kHangMs = 24LL * 3600 * 1000;
constexpr int kHangEvents = 5'000'000;

const QStringList& finalMessages() {
    static const QStringList all{up5::PortOpenError(),   up5::NotConnected(),   up5::ReadChipDone(),
                                 up5::ReadChipError(),   up5::WriteChipDone(),  up5::WriteChipError(),
                                 up5::ReadPanelDone(),   up5::ReadPanelError(), up5::WritePanelDone(),
                                 up5::WritePanelError(), up5::ConsoleMissing(), up5::ConsoleDone()};
    return all;
}

void run(const std::uint8_t* data, std::size_t size) {
    std::size_t at = 0;
    const auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
    const Op op = static_cast<Op>(next() % OpCount);
    const std::uint8_t flags = next();
    const std::uint8_t parameter = next();

    test::VirtualClock clock;
    test::FakePort port(clock);
    test::RecordingUi ui;
    clock.onSleep = [](qint64 now) {
        require(now < kHangMs, "no-hang", QStringLiteral("virtual time %1 ms").arg(now));
    };
    port.refuseOpen = (flags & 0x01) != 0;
    if (flags & 0x02) port.unplugAt(parameter * 97);
    if (flags & 0x04) port.acceptOnly = parameter * 64;
    // The user presses "Cancel" after this many passes of the event loop; the console wait has no budget
    // of its own, so there the user always gives up at last.
    int cancelAfter = (flags >> 4) * 40;
    if (op == ConsoleKeys && cancelAfter == 0) cancelAfter = 20'000;
    ui.onProcessEvents = [&] {
        require(ui.eventPasses < kHangEvents, "no-hang",
                QStringLiteral("%1 event passes").arg(ui.eventPasses));
        if (cancelAfter != 0 && ui.eventPasses == cancelAfter) ui.Button1Click();
    };

    qint64 time = 0;
    while (at < size) {
        const std::uint8_t kind = next();
        switch (kind % 3) {
            case 0: {
                const int length = next() % 64;
                time += next() * 10;
                QByteArray bytes;
                for (int i = 0; i < length && at < size; ++i)
                    bytes.append(static_cast<char>(next()));
                port.arriveAt(time, bytes);
                break;
            }
            case 1: {
                const int blocks = 1 + next() % 160;
                const char value = static_cast<char>(next());
                time += next() * 10;
                port.arriveAt(time, QByteArray(blocks * 256, value));
                break;
            }
            case 2:
                time += next() * 1000;
                break;
        }
    }

    TUP5 driver(port, ui, clock);
    if (!(flags & 0x08)) driver.SetPortName(QStringLiteral("COM1"));
    driver.SetMessagesDeferred((flags & 0x80) != 0 && op != ConsoleKeys && op != KeyReader);

    std::array<std::uint8_t, up5::kImageBytes> image{};
    image.fill(0xA5);
    const auto untouched = image;
    bool ok = false;
    switch (op) {
        case ReadChip:
            ok = driver.ReadChip(image);
            break;
        case WriteChip:
            ok = driver.WriteChip(image);
            break;
        case ReadPanel:
            ok = driver.ReadPanel(image);
            break;
        case WritePanel:
            ok = driver.WritePanel(image);
            break;
        case KeyReader: {
            ok = driver.StartKeyReader();
            if (ok) {
                std::array<std::uint8_t, up5::kKeyCodeSize> code{};
                for (int poll = 0; poll < 101 && !driver.ReadKeyCode(code); ++poll)
                    clock.Sleep(100);
                driver.Disconnect();
            }
            break;
        }
        case ConsoleKeys: {
            std::array<std::uint8_t, up5::kConsoleBlockSize> keys{};
            ok = driver.ReadConsoleKeys(keys);
            break;
        }
        case OpCount:
            break;
    }
    if (op != KeyReader || !ok) {
        // Ended: the port is free for other programs.
        require(!port.IsOpen(), "port-closed", QString::number(op));
    }
    if ((op == ReadChip || op == ReadPanel) && !ok) require(image == untouched, "failed-read-keeps-image");
    if (op == KeyReader && ok) return;
    const bool cancelled = ui.Cancelled() && ui.messages.isEmpty() && driver.LastMessage().isEmpty();
    if (cancelled) {
        require(!ok, "cancel-is-not-success");
        return;
    }
    // One final message, one of the driver's own, shown once unless the caller asked to keep it.
    // A message may carry a second line with the port and the reason; the first is the driver's own.
    const QString message = driver.LastMessage().section(QLatin1Char('\n'), 0, 0);
    require(finalMessages().contains(message), "final-message", driver.LastMessage());
    require(ui.messages.size() <= 1, "one-message", ui.messages.join(QLatin1Char('|')));
    const bool done = message == up5::ReadChipDone() || message == up5::WriteChipDone() ||
                      message == up5::ReadPanelDone() || message == up5::WritePanelDone() ||
                      message == up5::ConsoleDone();
    require(ok == done, "success-matches-message", message);
}

}  // namespace
}  // namespace v5::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    v5::fuzz::run(data, size);
    return 0;
}
