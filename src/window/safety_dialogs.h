#pragma once

#include <optional>

#include <QPointer>
#include <QString>
#include <QStringList>

#include "compare/configuration_check.h"

class QWidget;

namespace v5 {

// The window's questions around comparing, checking and restoring configurations. The window answers
// with dialogs; tests answer by themselves, so that no modal dialog ever waits in a test.
class SafetyDialogs {
public:
    virtual ~SafetyDialogs() = default;
    // A read-only list (differences), which the user can save as a text file; returns when closed.
    virtual void showList(const QString& title, const QString& summary, const QStringList& lines) = 0;
    // The check found errors before a write: true when the user wants to write anyway.
    // The question lists the errors and counts the warnings, which it shows on request.
    virtual bool writeDespite(const std::vector<Problem>& problems) = 0;
    // A backup file to load, chosen starting in `folder`; nothing when the user cancels.
    virtual std::optional<QString> backupToRestore(const QString& folder) = 0;
};

// Dialogs over the main window.
class WindowSafetyDialogs : public SafetyDialogs {
public:
    explicit WindowSafetyDialogs(QWidget* parent) : parent_(parent) {}
    void showList(const QString& title, const QString& summary, const QStringList& lines) override;
    bool writeDespite(const std::vector<Problem>& problems) override;
    std::optional<QString> backupToRestore(const QString& folder) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace v5
