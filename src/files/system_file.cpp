#include "files/system_file.h"

#include <cerrno>

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#else
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#endif

namespace v5 {

FileFailure failureOf(int systemCode) {
    FileFailure failure;
    failure.systemCode = systemCode;
    switch (systemCode) {
        case ENOENT:
        case ENOTDIR:
            failure.problem = FileProblem::NoSuchFile;
            break;
        case EACCES:
        case EPERM:
            failure.problem = FileProblem::NoAccess;
            break;
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            failure.problem = FileProblem::DiskFull;
            break;
        case EROFS:
            failure.problem = FileProblem::ReadOnlyMedium;
            break;
        case EISDIR:
            failure.problem = FileProblem::FolderInTheWay;
            break;
        default:
            failure.problem = FileProblem::Other;
    }
    return failure;
}

namespace {

struct Reason {
    FileProblem problem;
    const char16_t* russian;
    const char* english;
};
constexpr Reason kReasons[] = {
    {FileProblem::NoSuchFile, u"нет такого файла или папки", "no such file or folder"},
    {FileProblem::NoAccess, u"нет доступа", "permission denied"},
    {FileProblem::DiskFull, u"диск заполнен", "the disk is full"},
    {FileProblem::ReadOnlyMedium, u"носитель защищён от записи", "the medium is read-only"},
    {FileProblem::FolderInTheWay, u"это имя занято папкой", "it is a folder"},
    {FileProblem::ShortFile, u"файл короче, чем нужно", "the file is too short"},
    {FileProblem::LongFile, u"файл длиннее, чем нужно", "the file is too long"},
    {FileProblem::NamedPipe, u"это именованный канал, а не файл", "it is a named pipe, not a file"},
    {FileProblem::Device, u"это устройство, а не файл", "it is a device, not a file"},
    {FileProblem::Socket, u"это сокет, а не файл", "it is a socket, not a file"},
};

const Reason* reasonOf(FileProblem problem) {
    for (const Reason& r : kReasons)
        if (r.problem == problem) return &r;
    return nullptr;
}

// "файл короче, чем нужно: 32767 байт вместо 32768".
QString withLength(QString reason, const FileFailure& failure, const char16_t* format) {
    if (failure.size < 0) return reason;
    reason += QString::fromUtf16(format).arg(failure.size);
    return failure.expected < 0 ? reason : reason.arg(failure.expected);
}

}  // namespace

QString russianReason(const FileFailure& failure) {
    if (const Reason* r = reasonOf(failure.problem))
        return withLength(QString::fromUtf16(r->russian), failure,
                          failure.expected < 0 ? u": %1 байт" : u": %1 байт вместо %2");
    if (failure.systemCode == EIO) return QStringLiteral("ошибка ввода-вывода");
    return failure.systemCode != 0 ? QStringLiteral("ошибка системы (код %1)").arg(failure.systemCode)
                                   : QStringLiteral("ошибка системы");
}

QString englishReason(const FileFailure& failure) {
    if (const Reason* r = reasonOf(failure.problem))
        return withLength(QString::fromLatin1(r->english), failure,
                          failure.expected < 0 ? u": %1 bytes" : u": %1 bytes instead of %2");
    if (failure.systemCode == EIO) return QStringLiteral("input/output error");
    return failure.systemCode != 0 ? QStringLiteral("system error %1").arg(failure.systemCode)
                                   : QStringLiteral("system error");
}

namespace {

// The length of the valid UTF-8 sequence at `at`, or 0.
int utf8SequenceAt(const QByteArray& bytes, qsizetype at, char32_t& codePoint) {
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    int length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) return 0;
    for (int i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        value = (value << 6) | (byte(at + i) & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are not valid UTF-8.
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    codePoint = value;
    return length;
}

constexpr char16_t kEscapeBase = 0xDC00;

}  // namespace

QString fileNameFromSystem(const QByteArray& bytes) {
    QString name;
    name.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        char32_t codePoint = 0;
        if (const int length = utf8SequenceAt(bytes, at, codePoint)) {
            name += QString::fromUcs4(&codePoint, 1);
            at += length;
        } else {
            name += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[at])));
            ++at;
        }
    }
    return name;
}

QByteArray fileNameToSystem(const QString& name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    for (qsizetype at = 0; at < name.size(); ++at) {
        const char16_t c = name[at].unicode();
        if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
            bytes += static_cast<char>(c - kEscapeBase);
        } else if (QChar::isHighSurrogate(c) && at + 1 < name.size() && name[at + 1].isLowSurrogate()) {
            bytes += name.mid(at, 2).toUtf8();
            ++at;
        } else {
            bytes += QString(QChar(c)).toUtf8();
        }
    }
    return bytes;
}

#ifdef Q_OS_UNIX

namespace {

std::optional<FileFailure> lastFailure() {
    return failureOf(errno);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<FileFailure> writeAll(int fd, const QByteArray& content) {
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t n =
            ::write(fd, content.constData() + done, static_cast<std::size_t>(content.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? lastFailure() : failureOf(ENOSPC);
        done += n;
    }
    return std::nullopt;
}

// A device or a pipe: its bytes go straight to it; there is nothing to replace.
std::optional<FileFailure> writeDirectly(const std::string& path, const QByteArray& content) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return lastFailure();
    auto failure = writeAll(fd, content);
    if (::close(fd) != 0 && !failure && errno != EINTR) failure = lastFailure();
    return failure;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Why a name that is not a regular file cannot be read as one.
std::optional<FileFailure> notRegular(mode_t mode) {
    if (S_ISREG(mode)) return std::nullopt;
    if (S_ISDIR(mode)) return failureOf(EISDIR);
    FileFailure failure;
    failure.problem = S_ISFIFO(mode)   ? FileProblem::NamedPipe
                      : S_ISSOCK(mode) ? FileProblem::Socket
                                       : FileProblem::Device;
    return failure;
}

}  // namespace

FileRead readFileStart(const QString& path, qint64 limit) {
    FileRead result;
    const QByteArray name = fileNameToSystem(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0) {
        result.failure = lastFailure();
        return result;
    }
    if ((result.failure = notRegular(st.st_mode))) return result;
    // Not waiting, should the name have become a pipe since: the type is checked again on what was opened.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        result.failure = lastFailure();
        return result;
    }
    result.failure = ::fstat(fd, &st) != 0 ? lastFailure() : notRegular(st.st_mode);
    if (result.failure) {
        ::close(fd);
        return result;
    }
    result.size = static_cast<qint64>(st.st_size);
    result.bytes.resize(static_cast<qsizetype>(limit));
    qint64 got = 0;
    while (got < limit) {
        const ssize_t n = ::read(fd, result.bytes.data() + got, static_cast<std::size_t>(limit - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) result.failure = lastFailure();
        if (n <= 0) break;
        got += n;
    }
    ::close(fd);
    result.bytes.truncate(static_cast<qsizetype>(got));
    return result;
}

std::optional<FileFailure> writeFileWhole(const QString& path, const QByteArray& content,
                                          SpecialFiles special) {
    const QByteArray name = fileNameToSystem(path);
    std::string target = name.toStdString();
    mode_t mode = 0;
    struct stat st {};
    if (::stat(name.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return failureOf(EISDIR);
        if (!S_ISREG(st.st_mode))
            return special == SpecialFiles::WriteDirectly ? writeDirectly(target, content)
                                                          : notRegular(st.st_mode);
        // A file its owner made read-only is not replaced behind their back.
        if (::access(name.constData(), W_OK) != 0) return lastFailure();
        if (char* real = ::realpath(name.constData(), nullptr)) {
            target = real;
            std::free(real);
        }
        mode = st.st_mode & 07777;
    } else if (errno == ENOENT) {
        mode = newFileMode();
    } else {
        return lastFailure();
    }

    // The temporary file lives next to the target, so that the rename stays on one file system.
    std::string temporary = folderOf(target) + "/." + baseOf(target).substr(0, 200) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return lastFailure();
    auto failure = writeAll(fd, content);
    if (!failure) ::fchmod(fd, mode);
    // The data must be on the medium before the name points at it; a full disk may only show here.
    if (!failure && ::fsync(fd) != 0) failure = lastFailure();
    if (::close(fd) != 0 && !failure) failure = lastFailure();
    if (!failure && ::rename(temporary.c_str(), target.c_str()) != 0) failure = lastFailure();
    if (failure) ::unlink(temporary.c_str());
    return failure;
}

std::optional<FileFailure> checkWritable(const QString& path, qint64 size) {
    const QByteArray name = fileNameToSystem(path);
    std::string folder = folderOf(name.toStdString());
    struct stat st {};
    if (::stat(name.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return failureOf(EISDIR);
        if (::access(name.constData(), W_OK) != 0) return lastFailure();
        if (!S_ISREG(st.st_mode)) return std::nullopt;
        if (char* real = ::realpath(name.constData(), nullptr)) {
            folder = folderOf(real);
            std::free(real);
        }
    } else if (errno != ENOENT) {
        return lastFailure();
    }
    if (::stat(folder.c_str(), &st) != 0) return lastFailure();
    if (!S_ISDIR(st.st_mode)) return failureOf(ENOTDIR);
    if (::access(folder.c_str(), W_OK | X_OK) != 0) return lastFailure();
    struct statvfs fs {};
    if (::statvfs(folder.c_str(), &fs) == 0) {
        if ((fs.f_flag & ST_RDONLY) != 0) return failureOf(EROFS);
        // The superuser may use the blocks kept back from everyone else.
        const auto blocks = ::geteuid() == 0 ? fs.f_bfree : fs.f_bavail;
        if (static_cast<unsigned long long>(blocks) * fs.f_frsize < static_cast<unsigned long long>(size))
            return failureOf(ENOSPC);
    }
    return std::nullopt;
}

bool sameFile(const QString& a, const QString& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(fileNameToSystem(a).constData(), &sa) == 0 &&
           ::stat(fileNameToSystem(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

#else  // Not built or tried here: the system's own reasons are not told apart beyond these.

namespace {
std::optional<FileFailure> guessedFailure(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) return failureOf(EISDIR);
    if (!info.exists() && !info.dir().exists()) return failureOf(ENOENT);
    return failureOf(EACCES);
}
}  // namespace

FileRead readFileStart(const QString& path, qint64 limit) {
    FileRead result;
    QFile file(path);
    const QFileInfo info(path);
    if (info.exists() && !info.isDir() && !info.isFile()) {
        result.failure = FileFailure{FileProblem::Device};
        return result;
    }
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        result.failure = guessedFailure(path);
        return result;
    }
    result.size = file.size();
    result.bytes = file.read(limit);
    if (file.error() != QFileDevice::NoError) result.failure = FileFailure{};
    return result;
}

std::optional<FileFailure> writeFileWhole(const QString& path, const QByteArray& content, SpecialFiles) {
    if (QFileInfo(path).isDir()) return failureOf(EISDIR);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return guessedFailure(path);
    if (file.write(content) != content.size() || !file.commit()) return FileFailure{};
    return std::nullopt;
}

std::optional<FileFailure> checkWritable(const QString& path, qint64) {
    const QFileInfo info(path);
    if (info.isDir()) return failureOf(EISDIR);
    if (!info.dir().exists()) return failureOf(ENOENT);
    if (info.exists() && !info.isWritable()) return failureOf(EACCES);
    return std::nullopt;
}

bool sameFile(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

#endif

}  // namespace v5
