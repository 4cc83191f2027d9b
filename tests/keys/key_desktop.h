#pragma once

#include <deque>
#include <optional>

#include <QStringList>

#include "desktop/desktop.h"
#include "operations/driver_link.h"
#include "tests/support/fake_module.h"
#include "tests/support/fake_port.h"
#include "tests/support/image_builder.h"
#include "keys/key_card_pane.h"
#include "keys/key_code_prompt.h"
#include "keys/key_list_pane.h"
#include "keys/key_table.h"
#include "tests/support/recording_ui.h"
#include "image/tables.h"
#include "link/up5.h"
#include "tests/support/virtual_clock.h"

namespace v5::test {

// The code the list prints as these twelve hexadecimal digits (code byte 5 first).
KeyCode printedCode(quint64 digits);
// A key's ROM as the reader sends it: family 0x01, the code, its check byte.
QByteArray romOf(const KeyCode& code);
void storeKey(Image& image, std::size_t record, const KeyCode& code, std::uint8_t assignment,
              std::uint8_t tarnia = 0);

// Answers the key-code dialog from a script and records what it showed.
class ScriptedKeyCodes : public KeyCodePrompt {
public:
    std::deque<std::optional<QString>> answers;
    QStringList shown;
    std::optional<QString> keyCode(const QString& text) override;
};

// A desktop with every pane, lent the input-module driver on a fake module in virtual time.
class KeyDesktop {
public:
    KeyDesktop();

    ScriptedPrompts prompts;
    Desktop desktop{prompts, QString()};
    VirtualClock clock;
    FakePort port{clock};
    FakeModule module{port, clock};
    RecordingUi ui;
    TUP5 up5{port, ui, clock};
    DriverLink link;
    ScriptedKeyCodes codes;

    KeyCardPane& card() { return *desktop.pane<KeyCardPane>(); }
    KeyListPane& list() { return *desktop.pane<KeyListPane>(); }
    Image& image() { return desktop.image(); }
    std::span<std::uint8_t> record(std::size_t i) { return image().record(map::KeyRecords, i); }

    // The reader gets this key `delay` ms after the key-reader command; nothing when empty.
    void presentKey(std::optional<KeyCode> code, qint64 delay = 300);
    // "Добавить" with this key presented.
    void readKey(const KeyCode& code) {
        presentKey(code);
        card().keyAddClick();
    }
};

}  // namespace v5::test
