#include "window/up5/device_commands.h"

#include <QScopeGuard>

#include "link/com_port.h"
#include "link/event_loop_clock.h"
#include "window/up5/tup5_form.h"
#include "operations/panel_write.h"
#include "link/up5.h"

namespace v5 {

DeviceCommands::DeviceCommands(QWidget* owner)
    : DeviceCommands(owner, std::make_unique<TComPort>(), std::make_unique<EventLoopClock>()) {}

DeviceCommands::DeviceCommands(QWidget* owner, std::unique_ptr<Port> port, std::unique_ptr<Clock> clock)
    : port_(std::move(port)),
      clock_(std::move(clock)),
      form_(new TUP5Form(owner)),
      ownsForm_(owner == nullptr),
      driver_(std::make_unique<TUP5>(*port_, *form_, *clock_)) {
    QObject::connect(form_, &TUP5Form::shown, form_, [this] {
        if (!busy_ || locked_) return;
        locked_ = true;
        if (busyHandler_) busyHandler_(true);
    });
}

DeviceCommands::~DeviceCommands() {
    // The driver closes the port and detaches from the window, which must still exist then.
    driver_.reset();
    if (ownsForm_) delete form_.data();
}

bool DeviceCommands::exclusive(const QString& portName, const std::function<bool(TUP5&)>& operation) {
    if (busy_) {
        form_->raise();
        return false;
    }
    busy_ = true;
    // Whatever way the operation ends, the next command may run and the window is told so.
    const auto idle = qScopeGuard([this] {
        busy_ = false;
        locked_ = false;
        if (busyHandler_) busyHandler_(false);
    });
    driver_->SetPortName(portName);
    try {
        return operation(*driver_);
    } catch (...) {
        // Nobody waits for a final message now: free the port and put the progress window away.
        driver_->Disconnect();
        form_->Hide();
        throw;
    }
}

std::optional<Image::Bytes> DeviceCommands::readChip(const QString& portName) {
    Image::Bytes bytes{};
    if (!exclusive(portName, [&](TUP5& up5) { return up5.ReadChip(bytes); })) return std::nullopt;
    return bytes;
}

std::optional<Image::Bytes> DeviceCommands::readPanel(const QString& portName) {
    Image::Bytes bytes{};
    if (!exclusive(portName, [&](TUP5& up5) { return up5.ReadPanel(bytes); })) return std::nullopt;
    return bytes;
}

bool DeviceCommands::writeChip(const QString& portName, const Image& image) {
    return exclusive(portName, [&](TUP5& up5) { return up5.WriteChip(image.bytes()); });
}

std::optional<PanelWriteResult> DeviceCommands::writePanelChecked(const QString& portName, const Image& image,
                                                                  PanelWriteSteps steps,
                                                                  const SaveBackup& saveBackup) {
    std::optional<PanelWriteResult> result;
    exclusive(portName, [&](TUP5& up5) {
        result = v5::writePanelChecked(up5, *form_, image.bytes(), steps, saveBackup);
        return result->written;
    });
    return result;
}

void DeviceCommands::cancel() {
    if (busy_) form_->Button1Click();
}

}  // namespace v5
