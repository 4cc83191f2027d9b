#include "link/up5.h"

#include <algorithm>
#include <limits>

#include "link/up5_texts.h"

namespace v5 {

namespace {

int progressValue(qint64 count) {
    return static_cast<int>(std::min<qint64>(count, std::numeric_limits<int>::max()));
}

}  // namespace

TUP5::TUP5(Port& port, TransferUi& ui, Clock& clock) : port_(port), ui_(ui), clock_(clock) {
    ui_.SetCancelHandler([this] { Disconnect(); });
}

TUP5::~TUP5() {
    ui_.SetCancelHandler({});
    port_.Close();
}

bool TUP5::Connect(std::uint8_t command) {
    port_.Close();
    connected_ = false;
    if (portName_.isEmpty() || !port_.Open(portName_, up5::kBaudRate)) {
        Finish(up5::PortOpenFailure(portName_, port_.OpenFailure()));
        return false;
    }
    port_.PurgeInput();
    port_.PurgeOutput();
    // The module wakes on a DTR pulse and answers with one byte.
    port_.SetDtr(true);
    clock_.Sleep(up5::kDtrPulseMs);
    port_.SetDtr(false);
    clock_.Sleep(up5::kWakeWaitMs);

    std::uint8_t wake = 0;
    if (ReadByte(wake) && wake == up5::kWakeUp) {
        const std::uint8_t bytes[] = {command};
        connected_ = port_.Write(bytes) == 1;
    }
    if (!connected_) {
        // Free the port before the message waits for the user: other programs may want it.
        port_.Close();
        Finish(up5::NotConnected());
    }
    return connected_;
}

void TUP5::Disconnect() {
    if (connected_) port_.SetDtr(true);
    port_.Close();
}

bool TUP5::ReadStatus() {
    return port_.Read(reply_) == static_cast<qint64>(reply_.size()) && reply_[0] == up5::kStatusOk;
}

void TUP5::Begin(const QString& label, int minimum, int maximum) {
    lastMessage_.clear();
    blocksSent_ = 0;
    Label(label);
    ui_.ClearCancel();
    ui_.Show();
    ui_.SetProgressRange(minimum, maximum);
}

void TUP5::Finish(const QString& message) {
    lastMessage_ = message;
    if (!deferMessages_) ui_.ShowMessage(message);
    Disconnect();
}

bool TUP5::Fail(const QString& message) {
    Finish(message);
    return false;
}

// The user cancelled: the button has closed the port already; no message follows.
bool TUP5::Abandon() {
    Disconnect();
    return false;
}

bool TUP5::ReadByte(std::uint8_t& byte) {
    return port_.Read(std::span<std::uint8_t>(&byte, 1)) == 1;
}

bool TUP5::ReadChip(std::span<std::uint8_t, up5::kImageBytes> image) {
    Begin(up5::ReadChip(), 0, static_cast<int>(up5::kImageBytes));
    if (!Connect(up5::kReadChip)) return false;
    buffer_.resize(up5::kImageBytes);
    for (int poll = 0; poll < up5::kReadChipPolls; ++poll) {
        const qint64 queued = port_.InputCount();
        if (!port_.IsOpen() && !ui_.Cancelled()) return Fail(up5::ReadChipError());
        ui_.SetProgress(progressValue(queued));
        ui_.ProcessEvents();
        if (ui_.Cancelled()) return Abandon();
        // The image and its four status bytes.
        if (queued > static_cast<qint64>(up5::kImageBytes + up5::kStatusSize - 1) &&
            port_.Read(buffer_) == static_cast<qint64>(up5::kImageBytes) && ReadStatus()) {
            std::copy(buffer_.begin(), buffer_.end(), image.begin());
            Finish(up5::ReadChipDone());
            return true;
        }
        clock_.Sleep(up5::kReadChipPollMs);
    }
    return Fail(up5::ReadChipError());
}

bool TUP5::WriteBlocks(std::span<const std::uint8_t> bytes, int pauseMs) {
    const std::size_t blocks = bytes.size() / up5::kBlockSize;
    for (std::size_t b = 0; b < blocks; ++b) {
        ui_.SetProgress(static_cast<int>(b));
        ui_.ProcessEvents();
        if (ui_.Cancelled()) return false;
        // A block the line did not take whole (a vanished adapter) breaks the exchange.
        if (port_.Write(bytes.subspan(b * up5::kBlockSize, up5::kBlockSize)) !=
            static_cast<qint64>(up5::kBlockSize))
            return false;
        ++blocksSent_;
        clock_.Sleep(pauseMs);
    }
    return true;
}

bool TUP5::WriteChip(std::span<const std::uint8_t, up5::kImageBytes> image) {
    Begin(up5::WriteChip(), 0, static_cast<int>(up5::kChipBlocks) - 1);
    buffer_.assign(image.begin(), image.end());
    if (!Connect(up5::kWriteChip)) return false;
    Label(up5::WriteChipWriting());
    clock_.Sleep(up5::kWriteChipSettleMs);
    if (!WriteBlocks(buffer_, up5::kWriteChipBlockMs))
        return ui_.Cancelled() ? Abandon() : Fail(up5::WriteChipError());

    Label(up5::WriteChipChecking());
    for (int poll = 0; poll < up5::kWriteChipCheckPolls; ++poll) {
        if (port_.InputCount() > static_cast<qint64>(up5::kStatusSize - 1) && ReadStatus()) {
            Finish(up5::WriteChipDone());
            return true;
        }
        if (!port_.IsOpen() && !ui_.Cancelled()) return Fail(up5::WriteChipError());
        ui_.SetProgress(up5::kWriteChipCheckPolls - poll);
        ui_.ProcessEvents();
        if (ui_.Cancelled()) return Abandon();
        clock_.Sleep(up5::kWriteChipCheckMs);
    }
    return Fail(up5::WriteChipError());
}

bool TUP5::ReadPanel(std::span<std::uint8_t, up5::kImageBytes> image) {
    Begin(up5::ReadPanel(), 0, static_cast<int>(up5::kImageBytes) - 1);
    if (!Connect(up5::kReadPanel)) return false;
    buffer_.resize(up5::kImageBytes);
    for (int poll = 0; poll < up5::kReadPanelPolls; ++poll) {
        if (ui_.Cancelled()) return Abandon();
        const qint64 queued = port_.InputCount();
        if (!port_.IsOpen()) return Fail(up5::ReadPanelError());
        // The panel sends no status after its image.
        if (queued >= static_cast<qint64>(up5::kImageBytes) &&
            port_.Read(buffer_) == static_cast<qint64>(up5::kImageBytes)) {
            std::copy(buffer_.begin(), buffer_.end(), image.begin());
            Finish(up5::ReadPanelDone());
            return true;
        }
        ui_.SetProgress(progressValue(queued));
        ui_.ProcessEvents();
        clock_.Sleep(up5::kReadPanelPollMs);
    }
    return Fail(up5::ReadPanelError());
}

bool TUP5::WritePanel(std::span<const std::uint8_t, up5::kImageBytes> image) {
    Begin(up5::WritePanelWaiting(), 0, static_cast<int>(up5::kPanelBlocks));
    // The event archive behind the configuration area is the panel's own.
    buffer_.assign(image.begin(), image.begin() + up5::kPanelBytes);
    if (!Connect(up5::kWritePanel)) return false;
    for (int poll = 0; poll < up5::kPanelReadyPolls; ++poll) {
        if (port_.InputCount() > 0) {
            std::uint8_t ready = 0;
            if (!ReadByte(ready) || ready != up5::kPanelReady) break;
            Label(up5::WritePanelWriting());
            if (!WriteBlocks(buffer_, up5::kWritePanelBlockMs))
                return ui_.Cancelled() ? Abandon() : Fail(up5::WritePanelError());
            Finish(up5::WritePanelDone());
            return true;
        }
        if (!port_.IsOpen() && !ui_.Cancelled()) break;
        clock_.Sleep(up5::kPanelReadyPollMs);
        ui_.SetProgress(poll);
        ui_.ProcessEvents();
        if (ui_.Cancelled()) return Abandon();
    }
    return Fail(up5::WritePanelError());
}

bool TUP5::StartKeyReader() {
    ui_.ClearCancel();
    return Connect(up5::kKeyReader);
}

bool TUP5::ReadKeyCode(std::span<std::uint8_t, up5::kKeyCodeSize> code) {
    return port_.InputCount() >= static_cast<qint64>(code.size()) &&
           port_.Read(code) == static_cast<qint64>(code.size());
}

bool TUP5::ReadConsoleKeys(std::span<std::uint8_t, up5::kConsoleBlockSize> keys) {
    Label(up5::ConsolePrompt());
    ui_.ClearCancel();
    ui_.Show();
    if (!Connect(up5::kConsoleKeys)) return false;
    // The module reports a missing console with one byte; any other single byte is dropped.
    std::uint8_t first = 0;
    if (ReadByte(first) && first == up5::kConsoleMissing) return Fail(up5::ConsoleMissing());
    buffer_.resize(up5::kConsoleBlockSize);
    for (;;) {
        const qint64 queued = port_.InputCount();
        if (queued >= static_cast<qint64>(keys.size()) &&
            port_.Read(std::span(buffer_.data(), keys.size())) == static_cast<qint64>(keys.size())) {
            std::copy_n(buffer_.begin(), keys.size(), keys.begin());
            Finish(up5::ConsoleDone());
            return true;
        }
        if (ui_.Cancelled()) return Abandon();
        // The wait has no budget: the installer types the console code. A vanished module ends it.
        if (!port_.IsOpen()) return Fail(up5::NotConnected());
        ui_.ProcessEvents();
        // A millisecond's rest keeps the wait from spinning a processor core.
        clock_.Sleep(1);
    }
}

}  // namespace v5
