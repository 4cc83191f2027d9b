#pragma once

#include <optional>

#include <QString>

namespace v5 {

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
    // A message the user acknowledges.
    virtual void message(const QString& text) = 0;
};

}  // namespace v5
