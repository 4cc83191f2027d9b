#pragma once

#include <functional>

#include <QDialog>

#include "keys/key_csv.h"

class QWidget;

namespace v5 {

class Desktop;
class UserPrompts;

// The preview of a key table: what the load adds and changes, or the errors that keep it from loading,
// with "Загрузить" (only when there is something to load) and "Отмена".
class KeyImportDialog : public QDialog {
    Q_OBJECT
public:
    KeyImportDialog(const KeyImportPlan& plan, const QString& fileName, QWidget* parent);
};

// "Ключи" → "Загрузить из таблицы…": the pane on screen is stored, a table file is chosen, and its
// preview opens over `window` without blocking. "Загрузить" loads it through `act` (the window's gate
// for commands), as one undo step.
void openKeyImport(QWidget* window, Desktop& desktop, UserPrompts& prompts,
                   const std::function<void(const std::function<void()>&)>& act);

}  // namespace v5
