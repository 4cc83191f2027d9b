#pragma once

#include <functional>

#include "link/clock.h"
#include "desktop/device_link.h"

namespace v5 {

class TUP5;

// The desktop's device link on the input-module driver. Each operation runs through `exclusive`, which
// the window guards so that nothing disturbs a transfer in progress; the waits between polls sleep on
// `clock`, after `beforeWait` (the window shows its panes there).
class DriverLink : public DeviceLink {
public:
    // Runs one driver operation; false, without running it, while the driver is busy with another.
    using Exclusive = std::function<bool(const std::function<bool(TUP5&)>&)>;

    DriverLink(Exclusive exclusive, Clock& clock, std::function<void()> beforeWait = {});

    bool StartKeyReader() override;
    bool ReadKeyCode(std::span<std::uint8_t, kKeyRomSize> rom) override;
    void Disconnect() override;
    bool ReadConsoleKeys(std::span<std::uint8_t, kConsoleKeyBlockSize> block) override;
    void Wait(int milliseconds) override;

private:
    Exclusive exclusive_;
    Clock& clock_;
    std::function<void()> beforeWait_;
};

}  // namespace v5
