#pragma once

#include "core/link/ControllerLink.h"

#include <QEventLoop>
#include <QSerialPort>
#include <QTimer>

// The part of the controller link that lives in the link thread: the port,
// the 200 ms cycle timer and the 30 ms reply-gathering timer. It ends the
// thread's event loop once the link asks it to stop.
class ControllerSession : public QObject {
    Q_OBJECT
  public:
    ControllerSession(ControllerLink& link, QEventLoop& loop);

    bool openPort();

  private:
    void runCycle();
    void onReadyRead();
    void deliverReply();
    void onError(QSerialPort::SerialPortError error);

    ControllerLink& m_link;
    QEventLoop& m_loop;
    QSerialPort m_port;
    QTimer m_cycleTimer;
    QTimer m_gatherTimer;
    int m_cyclesUntilReopen = 0;
};
