#include "tools/sim/module_simulator.h"

#include <algorithm>

#include "link/up5_protocol.h"

namespace v5::sim {

ModuleSimulator::ModuleSimulator(ModuleSetup setup) : setup_(std::move(setup)) {
    setup_.chip.resize(up5::kImageBytes, '\0');
    setup_.panel.resize(up5::kImageBytes, '\0');
    setup_.console.resize(up5::kConsoleBlockSize, '\0');
}

QStringList ModuleSimulator::takeLog() {
    QStringList taken;
    taken.swap(log_);
    return taken;
}

void ModuleSimulator::purged(qint64 nowMs) {
    output_.clear();
    incoming_.clear();
    sent_ = 0;
    silent_ = false;
    if (setup_.noWakeUp) {
        state_ = State::Asleep;
        note(QStringLiteral("wake-up pulse: not answering"));
        return;
    }
    state_ = State::AwaitCommand;
    note(QStringLiteral("wake-up pulse: answering 0x%1").arg(setup_.wakeByte, 2, 16, QLatin1Char('0')));
    send(QByteArray(1, static_cast<char>(setup_.wakeByte)), nowMs);
}

void ModuleSimulator::send(const QByteArray& bytes, qint64 dueMs, bool data) {
    QByteArray out = bytes;
    if (data && setup_.truncateAfter && out.size() > *setup_.truncateAfter) {
        out.truncate(*setup_.truncateAfter);
        note(QStringLiteral("truncating the reply to %1 bytes").arg(out.size()));
    }
    if (!out.isEmpty()) output_.push_back({dueMs, out});
}

namespace {

QByteArray statusReply(bool bad) {
    QByteArray status(static_cast<qsizetype>(up5::kStatusSize), '\0');
    status[0] = static_cast<char>(bad ? 0x01 : up5::kStatusOk);
    return status;
}

}  // namespace

void ModuleSimulator::command(std::uint8_t byte, qint64 nowMs) {
    state_ = State::Replying;
    switch (byte) {
        case up5::kReadChip:
            note(QStringLiteral("command R: sending the chip and its status"));
            send(setup_.chip + statusReply(setup_.badStatus), nowMs, true);
            break;
        case up5::kWriteChip:
            note(QStringLiteral("command W: receiving the chip"));
            state_ = State::WritingChip;
            break;
        case up5::kReadPanel:
            note(QStringLiteral("command Q: sending the panel's memory"));
            send(setup_.panel, nowMs, true);
            break;
        case up5::kWritePanel:
            if (setup_.panelNotReady) {
                note(QStringLiteral("command E: the panel does not answer"));
                break;
            }
            note(QStringLiteral("command E: panel ready, answering 0x%1")
                     .arg(setup_.readyByte, 2, 16, QLatin1Char('0')));
            send(QByteArray(1, static_cast<char>(setup_.readyByte)), nowMs);
            state_ = State::WritingPanel;
            break;
        case up5::kKeyReader:
            note(QStringLiteral("command K: key reader, %1 key(s) to present").arg(setup_.keys.size()));
            for (std::size_t i = 0; i < setup_.keys.size(); ++i)
                send(setup_.keys[i], nowMs + setup_.userDelayMs * static_cast<qint64>(i + 1));
            break;
        case up5::kConsoleKeys:
            if (setup_.noConsole) {
                note(QStringLiteral("command P: no console"));
                send(QByteArray(1, static_cast<char>(up5::kConsoleMissing)), nowMs);
            } else {
                note(QStringLiteral("command P: console keys follow when the code is typed"));
                send(setup_.console, nowMs + setup_.userDelayMs, true);
            }
            break;
        default:
            note(QStringLiteral("unknown command 0x%1 ignored").arg(byte, 2, 16, QLatin1Char('0')));
            state_ = State::Asleep;
    }
}

void ModuleSimulator::received(const QByteArray& bytes, qint64 nowMs) {
    QByteArray rest = bytes;
    if (state_ == State::AwaitCommand && !rest.isEmpty()) {
        const auto byte = static_cast<std::uint8_t>(rest.front());
        rest.remove(0, 1);
        command(byte, nowMs);
    }
    if (rest.isEmpty()) return;
    const qsizetype expected = state_ == State::WritingChip    ? static_cast<qsizetype>(up5::kImageBytes)
                               : state_ == State::WritingPanel ? static_cast<qsizetype>(up5::kPanelBytes)
                                                               : 0;
    if (expected == 0) {
        note(QStringLiteral("%1 byte(s) ignored").arg(rest.size()));
        return;
    }
    incoming_ += rest.left(expected - incoming_.size());
    if (incoming_.size() < expected) return;
    if (setup_.corruptWriteAt && *setup_.corruptWriteAt >= 0 && *setup_.corruptWriteAt < expected) {
        const qsizetype at = static_cast<qsizetype>(*setup_.corruptWriteAt);
        incoming_[at] = static_cast<char>(~incoming_[at]);
        note(QStringLiteral("keeping 0x%1 at 0x%2 instead of what was written")
                 .arg(static_cast<std::uint8_t>(incoming_[at]), 2, 16, QLatin1Char('0'))
                 .arg(at, 4, 16, QLatin1Char('0')));
    }
    if (state_ == State::WritingChip) {
        if (setup_.badStatus) {
            note(QStringLiteral("chip received; reporting a bad status, the chip keeps its contents"));
        } else {
            setup_.chip = incoming_;
            note(QStringLiteral("chip written (32768 bytes)"));
        }
        send(statusReply(setup_.badStatus), nowMs);
    } else {
        setup_.panel.replace(0, expected, incoming_);
        note(QStringLiteral("panel configuration written (12288 bytes)"));
    }
    incoming_.clear();
    state_ = State::Replying;
}

std::optional<qint64> ModuleSimulator::nextDue() const {
    if (output_.empty() || hungUp_) return std::nullopt;
    return output_.front().dueMs;
}

QByteArray ModuleSimulator::take(qint64 nowMs, qsizetype limit) {
    QByteArray out;
    while (!hungUp_ && !output_.empty() && output_.front().dueMs <= nowMs && out.size() < limit) {
        Pending& next = output_.front();
        qsizetype n = std::min(limit - out.size(), next.bytes.size());
        // The faults count the bytes of a connection.
        for (const auto& cut : {setup_.hangUpAfter, setup_.silentAfter})
            if (cut) n = std::clamp<qsizetype>(*cut - sent_, 0, n);
        if (n == 0) {
            if (!silent_) note(QStringLiteral("going silent after %1 bytes").arg(sent_));
            silent_ = true;
            output_.clear();
            break;
        }
        out += next.bytes.first(n);
        next.bytes.remove(0, n);
        sent_ += n;
        if (next.bytes.isEmpty()) output_.pop_front();
        if (setup_.hangUpAfter && sent_ >= *setup_.hangUpAfter) {
            note(QStringLiteral("hanging up after %1 bytes").arg(sent_));
            hungUp_ = true;
            output_.clear();
        }
    }
    return out;
}

qint64 LinePacer::allowance(qint64 nowNs, bool idle) {
    if (idle && lineFreeNs_ < nowNs) lineFreeNs_ = nowNs;
    return nowNs >= lineFreeNs_ + byteNs_ ? (nowNs - lineFreeNs_) / byteNs_ : 0;
}

}  // namespace v5::sim
