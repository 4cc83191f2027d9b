#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "files/settings_file.h"

namespace v5 {

// "V5ivez.ini" in the working folder. Its first line is the chosen port, as the single digit n of COMn,
// or as the name of a port the system offers besides COM1..COM9 (a USB adapter such as ttyUSB0); a file
// of that line alone, without a line end, is what the program has always written. Settings may follow
// on lines of their own, "name=value":
//   backup=0   no copy of the panel's memory before "Записать в прибор" (default 1)
//   verify=0   no read-back check after it (default 1)
// Choosing a port rewrites the first line only; the lines after it stay as they are.
inline constexpr char kPortFileName[] = "V5ivez.ini";
// The most of it that is read; a port choice writes back the first line and what follows of this.
inline constexpr qint64 kPortFileLimit = 64 * 1024;

struct PortFileRead {
    bool exists = false;
    QByteArray content;
    std::optional<FileError> error;  // set when the file exists but cannot be read
};
PortFileRead readPortFile(const QString& folder);
std::optional<FileError> writePortFile(const QString& folder, const QByteArray& content);

// What a port file's content chooses: 1..9 for COM1..COM9 (by its first character), a device name
// when the whole content is one, or nothing.
struct PortFileChoice {
    int comNumber = 0;
    QString deviceName;
};
PortFileChoice parsePortFile(const QByteArray& content);

struct PortFileSettings {
    bool backupBeforePanelWrite = true;
    bool verifyPanelWrite = true;
};
// Values 0/1, no/yes, off/on in any case; anything else leaves the default.
PortFileSettings parsePortFileSettings(const QByteArray& content);
// The content with its first line replaced by `port`.
QByteArray withPortLine(const QByteArray& content, const QByteArray& port);

// A serial device name of the system, e.g. "ttyUSB0", "/dev/ttyACM1" or "/dev/pts/3"; never one of
// COM1..COM9.
bool isSystemPortName(const QString& name);

}  // namespace v5
