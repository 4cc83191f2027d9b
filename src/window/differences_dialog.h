#pragma once

#include <functional>
#include <optional>

#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace v5 {

// A read-only list of differences or problems with a summary line above it, which the user can save
// as a text file (all or nothing; UTF-8 with CR LF, marked as UTF-8 for the system's text editor).
class DifferencesDialog : public QDialog {
    Q_OBJECT
public:
    DifferencesDialog(const QString& title, const QString& summary, const QStringList& lines,
                      QWidget* parent = nullptr);

    // Where the list is saved: the save dialog unless a test says otherwise.
    std::function<std::optional<QString>()> askFileName;
    // Writes the list to `path`; the reason when it could not.
    std::optional<QString> saveTo(const QString& path) const;
    // The button "Сохранить как текст…".
    void saveClicked();

    const QStringList& lines() const { return lines_; }

private:
    QStringList lines_;
    QLabel* summary_;
    QPlainTextEdit* list_;
    QPushButton* save_;
    QPushButton* close_;
};

}  // namespace v5
