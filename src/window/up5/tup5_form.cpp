#include "window/up5/tup5_form.h"

#include <algorithm>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/up5_texts.h"

namespace v5 {

namespace {
// Wide enough for the longest step, "запись прошивки Вистан-5 - ожидание готовности".
constexpr int kLabelWidth = 400;

// A final message that tells of a transfer carried out to its end: one of its lines is a transfer's
// "успешно" and none tells of a check that failed. The driver's last progress step comes before its last
// block or poll, so the bar is filled here.
bool reportsSuccess(const QString& message) {
    const QStringList lines = message.split(QLatin1Char('\n'));
    const QString done[] = {up5::ReadChipDone(),   up5::WriteChipDone(), up5::ReadPanelDone(),
                            up5::WritePanelDone(), up5::VerifyDone(),    up5::ConsoleDone()};
    return std::ranges::any_of(done, [&lines](const QString& line) { return lines.contains(line); }) &&
           !lines.contains(up5::VerifyNotRead()) && !lines.contains(up5::VerifyFailed());
}
}  // namespace

TUP5Form::TUP5Form(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Label1(new QLabel(this)),
      ProgressBar1(new QProgressBar(this)),
      Button1(new QPushButton(up5::CancelButton(), this)) {
    setObjectName(QStringLiteral("UP5Form"));
    setWindowTitle(up5::Caption());
    setModal(false);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setFixedWidth(kLabelWidth);
    Label1->setMinimumHeight(2 * Label1->fontMetrics().height());
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    // A fixed border: the window takes the size of its contents and cannot be resized.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (parent) parent->installEventFilter(this);
}

bool TUP5Form::eventFilter(QObject* watched, QEvent* event) {
    // The main window takes no input while this window shows; a click on it hands the keyboard back here,
    // so that Enter, Space and Escape reach the button and nothing else.
    if (watched == parentWidget() && event->type() == QEvent::ActivationChange && isVisible() &&
        parentWidget()->isActiveWindow())
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isVisible()) Show();
            },
            Qt::QueuedConnection);
    return QDialog::eventFilter(watched, event);
}

void TUP5Form::SetLabel(const QString& text) {
    Label1->setText(text);
}

void TUP5Form::SetProgressRange(int minimum, int maximum) {
    ProgressBar1->setRange(minimum, maximum);
    // Every transfer starts at its beginning, not where the last one stopped.
    ProgressBar1->setValue(minimum);
}

void TUP5Form::SetProgress(int value) {
    // The driver reports queued bytes, which may pass the range by the status bytes.
    ProgressBar1->setValue(std::clamp(value, ProgressBar1->minimum(), ProgressBar1->maximum()));
}

void TUP5Form::Show() {
    show();
    raise();
    // The keyboard belongs to the transfer's window: keys meant for it must not reach the main window.
    activateWindow();
    Button1->setFocus(Qt::OtherFocusReason);
    emit shown();
}

void TUP5Form::ProcessEvents() {
    QCoreApplication::processEvents();
}

void TUP5Form::ShowMessage(const QString& text) {
    Button1->setText(up5::OkButton());
    Label1->setText(text);
    if (reportsSuccess(text)) ProgressBar1->setValue(ProgressBar1->maximum());
    // Enter acknowledges a message as Space and Escape do; during a transfer it cancels nothing.
    Button1->setDefault(true);
    if (!Cancelled()) {
        Show();
        while (!Cancelled() && isVisible())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    Hide();
    Button1->setDefault(false);
    Button1->setText(up5::CancelButton());
}

void TUP5Form::closeEvent(QCloseEvent* event) {
    event->ignore();
    Button1Click();
}

}  // namespace v5
