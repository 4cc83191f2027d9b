#include "files/port_file.h"

#include <QDir>
#include <QRegularExpression>

#include "files/messages.h"

namespace v5 {

namespace {
QString pathIn(const QString& folder) {
    return QDir(folder).filePath(QString::fromLatin1(kPortFileName));
}
}  // namespace

PortFileRead readPortFile(const QString& folder) {
    PortFileRead result;
    // The port line and the settings lines, with whatever notes the user keeps there: choosing a port
    // writes the file back whole, so all of it is read (up to a size no port file of ours reaches).
    FileRead read = readFileStart(pathIn(folder), kPortFileLimit);
    if (read.failure && read.failure->problem == FileProblem::NoSuchFile) return result;
    result.exists = true;
    if (read.failure) {
        result.error = FileError{msg::PortFileError(russianReason(*read.failure)),
                                 englishReason(*read.failure), read.failure->problem};
        return result;
    }
    result.content = std::move(read.bytes);
    return result;
}

std::optional<FileError> writePortFile(const QString& folder, const QByteArray& content) {
    if (const auto failure = writeFileWhole(pathIn(folder), content))
        return FileError{msg::PortFileError(russianReason(*failure)), englishReason(*failure),
                         failure->problem};
    return std::nullopt;
}

bool isSystemPortName(const QString& name) {
    // ttyUSB0, /dev/ttyACM1, and the pseudo-terminals /dev/pts/N the module's simulator offers.
    static const QRegularExpression pattern(
        QStringLiteral("^((/dev/)?tty[A-Za-z0-9_.\\-]*[0-9]|/dev/pts/[0-9]+)$"));
    return pattern.match(name).hasMatch();
}

namespace {
// Where the first line ends (its line end excluded).
qsizetype firstLineEnd(const QByteArray& content) {
    qsizetype end = 0;
    while (end < content.size() && content[end] != '\n' && content[end] != '\r')
        ++end;
    return end;
}

std::optional<bool> switchValue(const QByteArray& value) {
    const QByteArray v = value.trimmed().toLower();
    if (v == "1" || v == "yes" || v == "on") return true;
    if (v == "0" || v == "no" || v == "off") return false;
    return std::nullopt;
}
}  // namespace

PortFileChoice parsePortFile(const QByteArray& content) {
    PortFileChoice choice;
    if (content.isEmpty()) return choice;
    if (content[0] >= '1' && content[0] <= '9') {
        choice.comNumber = content[0] - '0';
        return choice;
    }
    const QString name = QString::fromUtf8(content.left(firstLineEnd(content)));
    if (isSystemPortName(name)) choice.deviceName = name;
    return choice;
}

PortFileSettings parsePortFileSettings(const QByteArray& content) {
    PortFileSettings settings;
    const QList<QByteArray> lines = content.mid(firstLineEnd(content)).split('\n');
    for (const QByteArray& line : lines) {
        const qsizetype equals = line.indexOf('=');
        if (equals < 0) continue;
        const QByteArray name = line.left(equals).trimmed().toLower();
        const std::optional<bool> value = switchValue(line.mid(equals + 1));
        if (!value) continue;
        if (name == "backup") settings.backupBeforePanelWrite = *value;
        if (name == "verify") settings.verifyPanelWrite = *value;
    }
    return settings;
}

QByteArray withPortLine(const QByteArray& content, const QByteArray& port) {
    return port + content.mid(firstLineEnd(content));
}

}  // namespace v5
