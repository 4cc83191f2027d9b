#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <QByteArray>
#include <QString>

namespace v5::test {

// A named pipe for tests of code that must never wait on one. Should the code open it for reading
// after all, a writer comes along and lets the read go (it reads nothing); should it open it for
// writing, a reader comes and goes (the write then breaks the pipe). Either way the regression fails the
// test instead of hanging it; readerWaited() tells that a reader waited.
class GuardedFifo {
public:
    explicit GuardedFifo(const QString& path) : name_(path.toLocal8Bit()) {
        made_ = ::mkfifo(name_.constData(), 0600) == 0;
        if (made_) rescue_ = std::thread([this] { rescue(); });
    }
    ~GuardedFifo() {
        done_ = true;
        if (rescue_.joinable()) rescue_.join();
    }
    GuardedFifo(const GuardedFifo&) = delete;
    GuardedFifo& operator=(const GuardedFifo&) = delete;

    bool made() const { return made_; }
    bool readerWaited() const { return readerWaited_; }

private:
    void rescue() {
        while (!done_) {
            // Without a reader a non-blocking open for writing fails at once.
            const int fd = ::open(name_.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                readerWaited_ = true;
                ::close(fd);
            }
            // A non-blocking open for reading never waits; it frees a writer that does.
            const int reader = ::open(name_.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            if (reader >= 0) ::close(reader);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    QByteArray name_;
    bool made_ = false;
    std::atomic<bool> done_{false};
    std::atomic<bool> readerWaited_{false};
    std::thread rescue_;
};

}  // namespace v5::test
