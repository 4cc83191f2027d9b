#pragma once

#include <optional>

#include <QString>

namespace v5 {

// The key-code dialog TKeyForm: the user types a key's code by hand. The window shows the modal dialog;
// tests answer from a script.
class KeyCodePrompt {
public:
    virtual ~KeyCodePrompt() = default;
    // Shows the dialog with `text` in its edit; the edited text when the user pressed "Ok", nothing
    // when the dialog was closed otherwise.
    virtual std::optional<QString> keyCode(const QString& text) = 0;
};

}  // namespace v5
