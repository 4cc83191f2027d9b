#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include <QString>

#include "link/clock.h"
#include "link/port.h"
#include "link/transfer_ui.h"
#include "link/up5_protocol.h"

namespace v5 {

// The driver of the input module "УП-5": every operation opens the port, wakes the module, sends one
// command byte and exchanges raw blocks with fixed pauses and poll budgets, while the transfer UI shows
// the step and lets the user cancel. Each whole-image operation ends with a final message the user
// acknowledges; the port is closed then, or at once on cancel.
class TUP5 {
public:
    TUP5(Port& port, TransferUi& ui, Clock& clock);
    ~TUP5();
    TUP5(const TUP5&) = delete;
    TUP5& operator=(const TUP5&) = delete;

    // "COM1".."COM9" or a system device name; empty until the user chooses a port.
    void SetPortName(const QString& name) { portName_ = name; }
    const QString& PortName() const { return portName_; }

    bool Connect(std::uint8_t command);
    void Disconnect();
    bool ReadStatus();
    bool Connected() const { return connected_; }

    // Whole-image transfers. A read changes `image` only when it succeeds; a write sends the bytes as
    // they were when it started, whatever the window does with the image meanwhile.
    bool ReadChip(std::span<std::uint8_t, up5::kImageBytes> image);
    bool WriteChip(std::span<const std::uint8_t, up5::kImageBytes> image);
    bool ReadPanel(std::span<std::uint8_t, up5::kImageBytes> image);
    bool WritePanel(std::span<const std::uint8_t, up5::kImageBytes> image);

    // Key-reader mode: the port stays open until the caller's Disconnect.
    bool StartKeyReader();
    bool ReadKeyCode(std::span<std::uint8_t, up5::kKeyCodeSize> code);

    bool ReadConsoleKeys(std::span<std::uint8_t, up5::kConsoleBlockSize> keys);

    // For commands made of several transfers (a backup read, the write, the read that verifies it),
    // which end with one message of their own: while set, a transfer keeps its final message for the
    // caller (LastMessage) instead of showing it and waiting for "OK", and every label it shows starts
    // with the step prefix. The port is closed at the end of each transfer either way.
    void SetMessagesDeferred(bool deferred) { deferMessages_ = deferred; }
    void SetStepPrefix(const QString& prefix) { stepPrefix_ = prefix; }
    const QString& LastMessage() const { return lastMessage_; }
    // Blocks the last transfer sent whole: a write that broke off after some of them left the
    // device with part of the new bytes.
    int BlocksSent() const { return blocksSent_; }

private:
    void Begin(const QString& label, int minimum, int maximum);
    void Label(const QString& text) { ui_.SetLabel(stepPrefix_ + text); }
    // The final message, acknowledged by the user; then the port is closed.
    void Finish(const QString& message);
    bool Fail(const QString& message);
    bool Abandon();
    bool ReadByte(std::uint8_t& byte);
    bool WriteBlocks(std::span<const std::uint8_t> bytes, int pauseMs);

    Port& port_;
    TransferUi& ui_;
    Clock& clock_;
    QString portName_;
    bool connected_ = false;
    std::array<std::uint8_t, up5::kStatusSize> reply_{};
    std::vector<std::uint8_t> buffer_;  // a read lands here first; a write sends from here
    bool deferMessages_ = false;
    QString stepPrefix_;
    QString lastMessage_;
    int blocksSent_ = 0;
};

}  // namespace v5
