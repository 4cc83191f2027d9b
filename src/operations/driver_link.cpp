#include "operations/driver_link.h"

#include "link/up5.h"

namespace v5 {

static_assert(kKeyRomSize == up5::kKeyCodeSize && kConsoleKeyBlockSize == up5::kConsoleBlockSize);

DriverLink::DriverLink(Exclusive exclusive, Clock& clock, std::function<void()> beforeWait)
    : exclusive_(std::move(exclusive)), clock_(clock), beforeWait_(std::move(beforeWait)) {}

bool DriverLink::StartKeyReader() {
    return exclusive_([](TUP5& up5) { return up5.StartKeyReader(); });
}

bool DriverLink::ReadKeyCode(std::span<std::uint8_t, kKeyRomSize> rom) {
    return exclusive_([rom](TUP5& up5) { return up5.ReadKeyCode(rom); });
}

void DriverLink::Disconnect() {
    // While another command holds the driver the port is that command's: it is left alone.
    exclusive_([](TUP5& up5) {
        up5.Disconnect();
        return true;
    });
}

bool DriverLink::ReadConsoleKeys(std::span<std::uint8_t, kConsoleKeyBlockSize> block) {
    return exclusive_([block](TUP5& up5) { return up5.ReadConsoleKeys(block); });
}

void DriverLink::Wait(int milliseconds) {
    if (beforeWait_) beforeWait_();
    clock_.Sleep(milliseconds);
}

}  // namespace v5
