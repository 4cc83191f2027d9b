#include "link/system_ports.h"

#include <QRegularExpression>
#include <QSerialPortInfo>

namespace v5 {

QStringList availableSerialPorts() {
    static const QRegularExpression comPort(QStringLiteral("^ttyS[0-8]$"));
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        if (!comPort.match(info.portName()).hasMatch()) names << info.portName();
    names.sort();
    return names;
}

}  // namespace v5
