#pragma once

#include <optional>

#include <QString>

namespace v5 {

// The answers to "Сохранить изменения?".
enum class SaveAnswer { Save, DontSave, Cancel };

// The questions and messages the desktop puts to the user. The window answers with dialogs;
// tests and the command line answer by themselves.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // An existing file to open, or nothing when the user cancels.
    virtual std::optional<QString> openFileName(const QString& filter) = 0;
    // A file to write; `proposed` presets the name, `suffix` is added to a name without one, and
    // overwriting an existing file is confirmed. Nothing when the user cancels.
    virtual std::optional<QString> saveFileName(const QString& proposed, const QString& filter,
                                                const QString& suffix) = 0;
    // A message the user acknowledges: something failed.
    virtual void message(const QString& text) = 0;
    // A message that only informs (where a file was written).
    virtual void notice(const QString& text) { message(text); }
    // Unsaved edits are about to be lost: save them, drop them, or stay.
    virtual SaveAnswer askToSave(const QString& question) = 0;
    // Something the user keeps is about to be replaced: true only when they answer `replace`. The
    // default answer, and any way of closing the question, is `keep`; so is the answer where nobody
    // can be asked.
    virtual bool confirmReplace(const QString& /*question*/, const QString& /*replace*/,
                                const QString& /*keep*/) {
        return false;
    }
};

}  // namespace v5
