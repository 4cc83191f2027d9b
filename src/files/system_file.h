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
    LongFile,        // more bytes than the file may hold
    NamedPipe,       // not a file: a named pipe (reading it would wait for a writer)
    Device,          // not a file: a character or block device
    Socket,          // not a file: a socket
    Other,
};

struct FileFailure {
    FileProblem problem = FileProblem::Other;
    int systemCode = 0;  // errno, where the system gave one
    // A file that is too short or too long: its length and the length it must have.
    qint64 size = -1;
    qint64 expected = -1;
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

// Up to `limit` bytes from the start of a regular file. Anything else (a folder, a named pipe, a device,
// a socket) is refused before it is opened, and nothing here waits for a writer: the window never hangs
// on a name the user picked.
struct FileRead {
    QByteArray bytes;
    qint64 size = -1;  // the file's whole length
    std::optional<FileFailure> failure;
};
FileRead readFileStart(const QString& path, qint64 limit);

// What a write does with a name that is a device, a pipe or a socket: the window refuses it (opening a
// pipe for writing waits for a reader), the command line writes to it directly ("-o /dev/null").
enum class SpecialFiles { Refuse, WriteDirectly };

// Writes a whole file. A regular file, or a name that does not exist yet, is replaced all or nothing
// (a temporary file in the same folder, renamed over the target; a link keeps pointing at it). A device,
// a pipe or a socket cannot be replaced: it is refused, or the bytes are written to it directly.
std::optional<FileFailure> writeFileWhole(const QString& path, const QByteArray& content,
                                          SpecialFiles special = SpecialFiles::Refuse);

// Whether writeFileWhole(path, …) of `size` bytes can be expected to succeed: the folder exists, takes
// new files and has the room, and the name is not a folder or a read-only file. Checked before a long
// device read, so that its result is not lost at the end.
std::optional<FileFailure> checkWritable(const QString& path, qint64 size);

// Whether two names denote the same existing file.
bool sameFile(const QString& a, const QString& b);

}  // namespace v5
