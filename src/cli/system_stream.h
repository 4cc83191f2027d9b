#pragma once

#include <optional>

#include <QIODevice>

#include "files/system_file.h"

namespace v5::cli {

// Standard output or standard error as a device that writes straight to the descriptor and keeps the
// first failure with its reason: a full disk behind ">/dev/full", a closed stream behind ">&-".
class SystemStream : public QIODevice {
public:
    // A negative descriptor: the stream was closed when the program started.
    explicit SystemStream(int descriptor);
    const std::optional<FileFailure>& failure() const { return failure_; }
    // The failure as the command line tells it.
    QString reason() const;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    int descriptor_;
    std::optional<FileFailure> failure_;
};

}  // namespace v5::cli
