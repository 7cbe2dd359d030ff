#include "core/link/SerialLine.h"

#include <QSerialPort>

bool OpenSerialLine(QSerialPort& port, const QString& device) {
    port.setPortName(device);
    if (!port.open(QIODevice::ReadWrite))
        return false;
    const bool configured = port.setBaudRate(QSerialPort::Baud9600) && port.setDataBits(QSerialPort::Data8) &&
                            port.setParity(QSerialPort::NoParity) && port.setStopBits(QSerialPort::TwoStop) &&
                            port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        port.close();
        return false;
    }
    // A pseudo-terminal has no modem lines; failing to raise them is harmless.
    port.setDataTerminalReady(true);
    port.setRequestToSend(true);
    port.clearError();
    port.setReadBufferSize(512);
    port.clear(QSerialPort::AllDirections);
    return true;
}
