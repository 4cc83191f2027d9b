#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "settings_file.h"

namespace v5 {

// "V5ivez.ini" in the working folder: the chosen port, as the single digit n of COMn, or as the name
// of a port the system offers besides COM1..COM9 (a USB adapter such as ttyUSB0).
inline constexpr char kPortFileName[] = "V5ivez.ini";

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

// A serial device name of the system, e.g. "ttyUSB0", "/dev/ttyACM1" or "/dev/pts/3"; never one of
// COM1..COM9.
bool isSystemPortName(const QString& name);

}  // namespace v5
