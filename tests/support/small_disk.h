#pragma once

#include <sys/mount.h>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace v5::test {

// A tiny memory file system of its own, for a disk that fills up or turns read-only. Mounting needs
// the superuser; where that is not at hand, mounted() is false and the test skips.
class SmallDisk {
public:
    explicit SmallDisk(int kilobytes) {
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0777";
        mounted_ =
            ::mount("tmpfs", folder_.path().toLocal8Bit().constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(folder_.path().toLocal8Bit().constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    QString path() const { return folder_.path(); }
    QString filePath(const QString& name) const { return folder_.filePath(name); }
    bool makeReadOnly() {
        return ::mount(nullptr, folder_.path().toLocal8Bit().constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                       nullptr) == 0;
    }

private:
    QTemporaryDir folder_;
    bool mounted_ = false;
};

}  // namespace v5::test
