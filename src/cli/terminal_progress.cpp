#include "cli/terminal_progress.h"

#include <algorithm>
#include <csignal>

#include <QCoreApplication>

namespace v5::cli {

namespace {

volatile std::sig_atomic_t interruptedFlag = 0;
#ifdef Q_OS_UNIX
struct sigaction previousInt {};
struct sigaction previousTerm {};
#else
void (*previousInt)(int) = SIG_DFL;
void (*previousTerm)(int) = SIG_DFL;
#endif

void onInterrupt(int) {
    interruptedFlag = 1;
}

constexpr int kBarWidth = 40;

}  // namespace

void EventPassMeter::passBegins() {
    const qint64 now = timer_.nsecsElapsed();
    if (lastEnd_ >= 0) longestNs_ = std::max(longestNs_, now - lastEnd_);
}

void MeteredClock::Sleep(int milliseconds) {
    meter_.passBegins();
    inner_.Sleep(milliseconds);
    meter_.passEnds();
}

TerminalProgress::TerminalProgress(QTextStream& err, bool interactive, EventPassMeter& meter)
    : err_(err), interactive_(interactive), meter_(meter) {
    interruptedFlag = 0;
#ifdef Q_OS_UNIX
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &previousInt);
    ::sigaction(SIGTERM, &action, &previousTerm);
#else
    previousInt = std::signal(SIGINT, onInterrupt);
    previousTerm = std::signal(SIGTERM, onInterrupt);
#endif
}

TerminalProgress::~TerminalProgress() {
    endProgressLine();
#ifdef Q_OS_UNIX
    ::sigaction(SIGINT, &previousInt, nullptr);
    ::sigaction(SIGTERM, &previousTerm, nullptr);
#else
    std::signal(SIGINT, previousInt);
    std::signal(SIGTERM, previousTerm);
#endif
}

bool TerminalProgress::interrupted() {
    return interruptedFlag != 0;
}

void TerminalProgress::endProgressLine() {
    if (!progressLineOpen_) return;
    err_ << '\n';
    err_.flush();
    progressLineOpen_ = false;
}

void TerminalProgress::SetLabel(const QString& text) {
    endProgressLine();
    err_ << text << '\n';
    err_.flush();
    shownStep_ = -1;
}

void TerminalProgress::SetProgressRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum + 1, maximum);
    shownStep_ = -1;
}

void TerminalProgress::SetProgress(int value) {
    const int clamped = std::clamp(value, minimum_, maximum_);
    const double fraction = static_cast<double>(clamped - minimum_) / (maximum_ - minimum_);
    // A terminal gets a bar redrawn in place; a log gets a line every tenth.
    const int step = interactive_ ? static_cast<int>(fraction * kBarWidth) : static_cast<int>(fraction * 10);
    if (step == shownStep_) return;
    shownStep_ = step;
    if (interactive_) {
        err_ << "\r  [" << QString(step, QLatin1Char('#')) << QString(kBarWidth - step, QLatin1Char('.'))
             << "] " << clamped << " / " << maximum_;
        progressLineOpen_ = true;
    } else if (step > 0) {
        err_ << "  " << step * 10 << "%\n";
    }
    err_.flush();
}

void TerminalProgress::ProcessEvents() {
    meter_.passBegins();
    QCoreApplication::processEvents();
    meter_.passEnds();
    if (interruptedFlag && !Cancelled()) Button1Click();
}

void TerminalProgress::ShowMessage(const QString& text) {
    endProgressLine();
    if (!Cancelled()) {
        err_ << text << '\n';
        err_.flush();
    }
    // Nobody is there to press "OK": the message counts as acknowledged.
    Button1Click();
}

}  // namespace v5::cli
