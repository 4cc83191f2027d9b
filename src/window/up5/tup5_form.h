#pragma once

#include <QDialog>

#include "link/transfer_ui.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace v5 {

// The progress window of the input module: the step or final message, a progress bar and one button,
// "Cancel" while a transfer runs and "OK" while a final message waits. Not modal (the main window locks
// itself meanwhile); it takes the keyboard when it shows, and Enter, Space or Escape acknowledge a final
// message. Created once and reused.
class TUP5Form : public QDialog, public TransferUi {
    Q_OBJECT

public:
    explicit TUP5Form(QWidget* parent = nullptr);

    void SetLabel(const QString& text) override;
    void SetProgressRange(int minimum, int maximum) override;
    void SetProgress(int value) override;
    void Show() override;
    void Hide() override { hide(); }
    void ProcessEvents() override;
    void ShowMessage(const QString& text) override;

signals:
    // The window shows for a transfer or its message.
    void shown();

protected:
    // Escape and the system's close command act as the button: the window has no other way out.
    void reject() override { Button1Click(); }
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* Label1;
    QProgressBar* ProgressBar1;
    QPushButton* Button1;
};

}  // namespace v5
