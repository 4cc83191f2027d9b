#include "tests/keys/key_desktop.h"

#include <stdexcept>

#include "panes/install_panes.h"

namespace v5::test {

KeyCode printedCode(quint64 digits) {
    KeyCode code{};
    for (std::size_t b = 0; b < code.size(); ++b)
        code.at(b) = static_cast<std::uint8_t>(digits >> (8 * b));
    return code;
}

QByteArray romOf(const KeyCode& code) {
    QByteArray rom(1, '\x01');
    for (const std::uint8_t b : code)
        rom += static_cast<char>(b);
    rom += static_cast<char>(keyCheckByte(code));
    return rom;
}

void storeKey(Image& image, std::size_t record, const KeyCode& code, std::uint8_t assignment,
              std::uint8_t tarnia) {
    const auto key = image.record(map::KeyRecords, record);
    std::copy(code.begin(), code.end(), key.begin());
    key[kAssignmentByte] = assignment;
    key[kTarniaByte] = tarnia;
    SetCRC(image, record);
}

std::optional<QString> ScriptedKeyCodes::keyCode(const QString& text) {
    shown << text;
    if (answers.empty()) throw std::logic_error("unexpected key-code dialog");
    const std::optional<QString> answer = answers.front();
    answers.pop_front();
    return answer;
}

KeyDesktop::KeyDesktop()
    : link(
          [this](const std::function<bool(TUP5&)>& operation) {
              up5.SetPortName(QStringLiteral("COM1"));
              return operation(up5);
          },
          clock) {
    installPanes(desktop);
    // Loops 1..8 exist, so zones and partitions made of them survive the sweep.
    desktop.btnSlotContextPopup(1);
    desktop.miClick(QStringLiteral("МШС1"));
    desktop.setDeviceLink(&link);
    card().setCodePrompt(&codes);
}

void KeyDesktop::presentKey(std::optional<KeyCode> code, qint64 delay) {
    if (!code) {
        module.onCommand.erase(up5::kKeyReader);
        return;
    }
    const QByteArray rom = romOf(*code);
    module.onCommand[up5::kKeyReader] = [this, rom, delay] { port.arriveAt(clock.Now() + delay, rom); };
}

}  // namespace v5::test
