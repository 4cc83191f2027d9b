#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

namespace v5 {

// Why a file could not be read or written, in the terms a user can act on.
enum class FileProblem {
    NoSuchFile,      // the file or a folder on its path does not exist
    NoAccess,        // permissions
    DiskFull,        // no space left (or the quota is spent)
    ReadOnlyMedium,  // a read-only file system or medium
    FolderInTheWay,  // the name is a folder
    ShortFile,       // fewer bytes than the file must hold
    Other,
};

struct FileFailure {
    FileProblem problem = FileProblem::Other;
    int systemCode = 0;  // errno, where the system gave one
};

FileFailure failureOf(int systemCode);
// The reason as the window tells it ("нет доступа") and as the command line tells it ("permission denied").
QString russianReason(const FileFailure& failure);
QString englishReason(const FileFailure& failure);

// File names as the system keeps them: bytes, UTF-8 as a rule. A byte that is not part of valid UTF-8
// becomes the lone surrogate U+DC80 + byte and turns back into the same byte, so that every name a
// user can type on the command line opens the file it names.
QString fileNameFromSystem(const QByteArray& bytes);
QByteArray fileNameToSystem(const QString& name);

// Up to `limit` bytes from the start of a file.
struct FileRead {
    QByteArray bytes;
    std::optional<FileFailure> failure;
};
FileRead readFileStart(const QString& path, qint64 limit);

// Writes a whole file. A regular file, or a name that does not exist yet, is replaced all or nothing
// (a temporary file in the same folder, renamed over the target; a link keeps pointing at it). A device,
// a pipe or a socket cannot be replaced: the bytes are written to it directly.
std::optional<FileFailure> writeFileWhole(const QString& path, const QByteArray& content);

// Whether writeFileWhole(path, …) of `size` bytes can be expected to succeed: the folder exists, takes
// new files and has the room, and the name is not a folder or a read-only file. Checked before a long
// device read, so that its result is not lost at the end.
std::optional<FileFailure> checkWritable(const QString& path, qint64 size);

// Whether two names denote the same existing file.
bool sameFile(const QString& a, const QString& b);

}  // namespace v5
