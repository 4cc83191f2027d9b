// The files the program reads by itself or is given: V5ivez.ini with its option lines, settings files of
// any length, and the access code a settings file must match. The input is the file's content.
#include <cstddef>
#include <cstdint>
#include <utility>

#include <QFile>

#include "desktop/desktop.h"
#include "fuzz/fuzz_common.h"
#include "tests/support/image_builder.h"
#include "panes/install_panes.h"
#include "files/messages.h"
#include "files/port_file.h"
#include "files/settings_file.h"

namespace v5::fuzz {
namespace {

class Prompts : public UserPrompts {
public:
    std::optional<QString> file;
    QStringList messages;
    std::optional<QString> openFileName(const QString&) override { return std::exchange(file, std::nullopt); }
    std::optional<QString> saveFileName(const QString&, const QString&, const QString&) override {
        return std::exchange(file, std::nullopt);
    }
    void message(const QString& text) override { messages << text; }
    SaveAnswer askToSave(const QString&) override { return SaveAnswer::DontSave; }
};

unsigned byteAt(const QByteArray& content, qsizetype i) {
    return static_cast<unsigned char>(content[i]);
}

QByteArray afterFirstLine(const QByteArray& content) {
    // The program's own rule: a line ends at CR or LF.
    qsizetype end = 0;
    while (end < content.size() && content[end] != '\n' && content[end] != '\r')
        ++end;
    return content.mid(end);
}

// V5ivez.ini: the start-up reads the port and the options; choosing a port rewrites the first line only.
void portFile(const QByteArray& content) {
    const QString folder = scratchFolder();
    const QString path = folder + QLatin1Char('/') + QString::fromLatin1(kPortFileName);
    require(test::writeAll(path, content), "setup", path);
    Prompts prompts;
    Desktop desktop(prompts, folder);
    desktop.FormCreate();
    const PortFileSettings settings = parsePortFileSettings(content);
    require(desktop.settings().backupBeforePanelWrite == settings.backupBeforePanelWrite &&
                desktop.settings().verifyPanelWrite == settings.verifyPanelWrite,
            "port-file-settings");
    const PortFileChoice choice = parsePortFile(content);
    if (choice.comNumber != 0) require(desktop.checkedComPort() == choice.comNumber, "port-file-com");
    if (!choice.deviceName.isEmpty())
        require(desktop.checkedSystemPort() == choice.deviceName, "port-file-device");

    const int com =
        1 + static_cast<int>(static_cast<unsigned char>(content.isEmpty() ? 0 : content.back()) % 9);
    desktop.COM_Click(com);
    const QByteArray rewritten = test::readAll(path);
    require(parsePortFile(rewritten).comNumber == com, "port-file-rewrite",
            QString::fromLatin1(rewritten.toHex()));
    require(afterFirstLine(rewritten) == afterFirstLine(content), "port-file-keeps-lines");
    const PortFileSettings kept = parsePortFileSettings(rewritten);
    require(kept.backupBeforePanelWrite == settings.backupBeforePanelWrite &&
                kept.verifyPanelWrite == settings.verifyPanelWrite,
            "port-file-keeps-settings");

    // A device name typed from the input's first line: accepted names are written and read back.
    const QString name =
        QString::fromUtf8(content.left(content.indexOf('\n') < 0 ? 40 : content.indexOf('\n')));
    desktop.chooseSystemPort(name);
    if (isSystemPortName(name)) {
        const QByteArray again = test::readAll(path);
        require(parsePortFile(again).deviceName == name, "port-file-device-round-trip", name);
        require(afterFirstLine(again) == afterFirstLine(content), "port-file-keeps-lines");
    }
    QFile::remove(path);
}

// A settings file of any length, read as "Загрузить" reads it, with the access code typed or not.
void settingsFile(const QByteArray& content) {
    const QString path = scratchFolder() + QStringLiteral("/input.v5");
    require(test::writeAll(path, content), "setup", path);
    const SettingsRead read = readSettingsFile(path);
    // Exactly one image long, or refused with a message: a longer file is not cut to fit.
    require(read.bytes.has_value() == (content.size() == static_cast<qsizetype>(Image::kSize)),
            "settings-length", QString::number(content.size()));
    if (read.bytes)
        require(QByteArray(reinterpret_cast<const char*>(read.bytes->data()), Image::kSize) ==
                    content.left(Image::kSize),
                "settings-bytes");

    Prompts prompts;
    Desktop desktop(prompts, scratchFolder());
    installPanes(desktop);
    // The image on screen before the load: its access code is the one the file must carry.
    Image before;
    const std::uint16_t typed =
        content.size() > 2 ? static_cast<std::uint16_t>(byteAt(content, 1) | (byteAt(content, 2) << 8)) : 0;
    before.setWordLE(map::AccessCode.offset, typed);
    before.setByte(0x4000, 0x5A);
    desktop.image() = before;
    prompts.file = path;
    desktop.mnLoadClick();
    const bool taken = read.bytes && accessCodeOf(*read.bytes) == typed;
    if (!taken) {
        require(!prompts.messages.isEmpty(), "settings-refusal-told");
        require(desktop.image().byte(0x4000) == 0x5A && desktop.image().wordLE(map::AccessCode.offset) == typed,
                "settings-refusal-keeps-image");
        require(desktop.windowCaption() == msg::NoFileChosen(), "settings-refusal-caption");
    } else {
        require(prompts.messages.isEmpty(), "settings-load-silent", prompts.messages.join(QLatin1Char('|')));
        require(firstDifference(
                    desktop.image(),
                    [&] {
                        Image file;
                        file.assign(*read.bytes);
                        return file;
                    }(),
                    map::Archive.offset) == std::nullopt,
                "settings-load-archive");
        require(desktop.image().wordLE(map::AccessCode.offset) == typed, "settings-load-access-code");
    }
    QFile::remove(path);
}

// The access-code box: four typed characters, stored by the next pane reset.
void accessCode(const QByteArray& content) {
    Prompts prompts;
    Desktop desktop(prompts, scratchFolder());
    installPanes(desktop);
    const std::uint16_t stored =
        content.size() > 1 ? static_cast<std::uint16_t>(byteAt(content, 0) | (byteAt(content, 1) << 8)) : 0;
    desktop.image().setWordLE(map::AccessCode.offset, stored);

    // Opened and left untouched: the stored word stays, whatever its digits.
    desktop.mmKodDostupaClick();
    desktop.ClearDesktop();
    require(desktop.image().wordLE(map::AccessCode.offset) == stored, "access-code-untouched");

    // The edit holds at most four characters, so the box is never given more.
    const QString text = QString::fromLatin1(content.mid(2, 4));
    desktop.mmKodDostupaClick();
    desktop.accessCodeBox().setText(text);
    desktop.ClearDesktop();
    // A code the box could not take leaves the stored word as it was; anything it stores is decimal.
    const std::uint16_t word = desktop.image().wordLE(map::AccessCode.offset);
    if (word != stored)
        for (int nibble = 0; nibble < 4; ++nibble)
            require(((word >> (4 * nibble)) & 0xF) <= 9, "access-code-decimal", QString::number(word, 16));
    const QString four = text.leftJustified(4, QLatin1Char(' '), true);
    bool digits = true;
    for (const QChar c : four)
        digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (digits) {
        require(word == four.toUShort(nullptr, 16), "access-code-value", four);
        desktop.mmKodDostupaClick();
        require(desktop.accessCodeBox().text() == four, "access-code-shown", four);
        desktop.ClearDesktop();
        require(desktop.image().wordLE(map::AccessCode.offset) == word, "access-code-reopened");
    }
}

}  // namespace
}  // namespace v5::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    v5::fuzz::portFile(content);
    v5::fuzz::settingsFile(content);
    v5::fuzz::accessCode(content);
    return 0;
}
