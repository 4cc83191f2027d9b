#pragma once

#include <QString>

class QObject;
class QWidget;

namespace v5 {

// The hint the status bar shows for the control under the mouse: what it does and where its value is
// kept. Looked up by the control's objectName; empty for a control without a hint.
QString statusTipFor(const QString& objectName);

// The hint of a pane's control that edits one field: "Тип шлейфа: хранится в записи шлейфа, записывается
// при уходе с панели".
QString storedHint(const QString& caption, const QString& record);

// Gives every check box and titled group box under `panel` that has no hint yet the hint of its caption
// stored in `record` ("записи шлейфа").
void applyStoredHints(QWidget* panel, const QString& record);

// Gives `root` and every widget and action under it that has a hint its hint. Called once a window part
// is built (the menus, the slot row, a pane view).
void applyStatusTips(QObject* root);

}  // namespace v5
