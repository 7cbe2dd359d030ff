#pragma once

#include <QString>

class QSerialPort;

// Opens `device` with the line both instrument ports use: 9600 baud, 8 data
// bits, no parity, two stop bits (the peers expect one and a half, which
// Linux UARTs cannot send; a receiver for 1 or 1.5 accepts 2), no flow
// control, DTR and RTS on, 512-byte read buffer, both directions discarded.
// False (and the port closed) when it cannot be opened or set.
bool OpenSerialLine(QSerialPort& port, const QString& device);
