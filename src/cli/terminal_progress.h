#pragma once

#include <QElapsedTimer>
#include <QTextStream>

#include "link/clock.h"
#include "link/transfer_ui.h"

namespace v5::cli {

// Measures how long the thread goes without processing events during a transfer: what a window would
// feel as a freeze.
class EventPassMeter {
public:
    EventPassMeter() { timer_.start(); }
    void passBegins();
    void passEnds() { lastEnd_ = timer_.nsecsElapsed(); }
    double longestGapMs() const { return static_cast<double>(longestNs_) / 1e6; }

private:
    QElapsedTimer timer_;
    qint64 lastEnd_ = -1;
    qint64 longestNs_ = 0;
};

// A clock that counts its sleeps as event passes (it sleeps in an event loop).
class MeteredClock : public Clock {
public:
    MeteredClock(Clock& inner, EventPassMeter& meter) : inner_(inner), meter_(meter) {}
    void Sleep(int milliseconds) override;
    qint64 Now() const override { return inner_.Now(); }

private:
    Clock& inner_;
    EventPassMeter& meter_;
};

// The progress window of the command line: step labels and final messages as lines on standard error,
// a progress bar when that is a terminal. Ctrl-C is the Cancel button; final messages need no "OK".
class TerminalProgress : public TransferUi {
public:
    TerminalProgress(QTextStream& err, bool interactive, EventPassMeter& meter);
    ~TerminalProgress() override;

    void SetLabel(const QString& text) override;
    void SetProgressRange(int minimum, int maximum) override;
    void SetProgress(int value) override;
    void Show() override {}
    void Hide() override {}
    void ProcessEvents() override;
    void ShowMessage(const QString& text) override;

    // Set by SIGINT or SIGTERM while a transfer runs.
    static bool interrupted();

private:
    void endProgressLine();

    QTextStream& err_;
    bool interactive_;
    EventPassMeter& meter_;
    int minimum_ = 0;
    int maximum_ = 0;
    int shownStep_ = -1;
    bool progressLineOpen_ = false;
};

}  // namespace v5::cli
