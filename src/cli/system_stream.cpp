#include "cli/system_stream.h"

#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace v5::cli {

namespace {
qint64 writeSome(int descriptor, const char* data, qint64 size) {
    if (descriptor < 0) {
        errno = EBADF;
        return -1;
    }
#ifdef Q_OS_WIN
    return ::_write(descriptor, data, static_cast<unsigned>(size));
#else
    return ::write(descriptor, data, static_cast<std::size_t>(size));
#endif
}
}  // namespace

SystemStream::SystemStream(int descriptor) : descriptor_(descriptor) {
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

QString SystemStream::reason() const {
    if (!failure_) return {};
    if (failure_->systemCode == EBADF) return QStringLiteral("it is closed");
    return englishReason(*failure_);
}

qint64 SystemStream::writeData(const char* data, qint64 size) {
    if (failure_) return -1;
    qint64 done = 0;
    while (done < size) {
        const qint64 n = writeSome(descriptor_, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            failure_ = failureOf(n < 0 ? errno : ENOSPC);
            setErrorString(reason());
            return -1;
        }
        done += n;
    }
    return size;
}

}  // namespace v5::cli
