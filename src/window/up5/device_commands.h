#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QPointer>
#include <QString>

#include "image/image.h"
#include "operations/panel_write.h"
#include "window/up5/tup5_form.h"

class QWidget;

namespace v5 {

class Clock;
class Port;
class TUP5;

// The device commands of the main window, one at a time. The progress window is not modal; the main window
// locks itself through the busy handler while a transfer runs. A second device command that comes all the
// same (a key pane's own operation) is refused, and the running transfer's window is brought to the front.
//
//   mnReadClick:     if (auto bytes = device.readChip(desktop.portName())) desktop.acceptReadImage(*bytes);
//   ReadFromV5Click: if (auto bytes = device.readPanel(desktop.portName())) desktop.acceptReadImage(*bytes);
//   mnWriteClick:    device.writeChip(desktop.portName(), desktop.image());
//   WriteToV5Click:  device.writePanelChecked(desktop.portName(), desktop.image(), steps, backups);
//
// Each call returns when the user has acknowledged the final message or cancelled.
class DeviceCommands {
public:
    // The progress window becomes a child window of `owner`, which must outlive this object.
    explicit DeviceCommands(QWidget* owner);
    // For tests: a scripted port and virtual time.
    DeviceCommands(QWidget* owner, std::unique_ptr<Port> port, std::unique_ptr<Clock> clock);
    ~DeviceCommands();
    DeviceCommands(const DeviceCommands&) = delete;
    DeviceCommands& operator=(const DeviceCommands&) = delete;

    bool busy() const { return busy_; }
    // Called with true once a command shows the progress window (a transfer, which nothing may disturb),
    // and with false when any command has ended, however it ended (also by an exception): the window
    // locks and unlocks itself here. A short exchange that shows nothing (a poll of the key reader)
    // does not lock the window.
    void setBusyHandler(std::function<void(bool)> handler) { busyHandler_ = std::move(handler); }

    // The 32768 bytes read, or nothing when the read failed, was cancelled or another command runs.
    std::optional<Image::Bytes> readChip(const QString& portName);
    std::optional<Image::Bytes> readPanel(const QString& portName);
    // Sends the image as it is now; edits made while the write runs are not sent.
    bool writeChip(const QString& portName, const Image& image);
    // "Записать в прибор" with its backup before and its check after (panel_write.h); nothing when
    // another command runs.
    std::optional<PanelWriteResult> writePanelChecked(const QString& portName, const Image& image,
                                                      PanelWriteSteps steps, const SaveBackup& saveBackup);

    // Any other device operation, such as the key panes' key reader and console copy, under the same
    // guard. False, without calling it, while another one runs.
    bool exclusive(const QString& portName, const std::function<bool(TUP5&)>& operation);

    // As the user's "Cancel" (or "OK"): for a main window that closes while a transfer runs.
    void cancel();

    TUP5Form& form() { return *form_; }
    // The pauses of the key panes' own polls (ReadKeyCode), which keep the window's events flowing.
    Clock& clock() { return *clock_; }

private:
    std::unique_ptr<Port> port_;
    std::unique_ptr<Clock> clock_;
    QPointer<TUP5Form> form_;
    bool ownsForm_;
    std::unique_ptr<TUP5> driver_;
    bool busy_ = false;
    bool locked_ = false;
    std::function<void(bool)> busyHandler_;
};

}  // namespace v5
