#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace v5 {

// A key as the module's reader sends it: family code, the six code bytes, the check byte.
inline constexpr std::size_t kKeyRomSize = 8;
// The keypad console's key block: 24 codes of six bytes.
inline constexpr std::size_t kConsoleKeyBlockSize = 144;

// The input module as the panes use it: its key reader and the copy of the console's keys. The window
// lends its driver (one device command at a time, on the chosen port); tests lend a driver on a fake
// port and virtual time. Each operation that fails has already told the user why.
class DeviceLink {
public:
    virtual ~DeviceLink() = default;

    // Connects in key-reader mode; the link stays open until Disconnect.
    virtual bool StartKeyReader() = 0;
    // One key when the module has sent one; false at once otherwise.
    virtual bool ReadKeyCode(std::span<std::uint8_t, kKeyRomSize> rom) = 0;
    virtual void Disconnect() = 0;
    // Waits for the installer to send the console's keys, with the module's own progress window.
    virtual bool ReadConsoleKeys(std::span<std::uint8_t, kConsoleKeyBlockSize> block) = 0;
    // A pause between polls: the window shows the panes as they are now and keeps answering the user,
    // who may choose another command meanwhile.
    virtual void Wait(int milliseconds) = 0;
};

}  // namespace v5
