#pragma once

#include <QStringList>

namespace v5 {

// The serial ports this machine has besides COM1..COM9 (ttyS0..ttyS8): USB adapters such as ttyUSB0
// or ttyACM0, by the names the port menu shows and the port file keeps.
QStringList availableSerialPorts();

}  // namespace v5
