#pragma once

#include "core/link/ControllerLink.h"

#include <QSerialPort>
#include <QTimer>

// The part of the controller link that lives in the link thread: the port,
// the 200 ms cycle timer and the 30 ms reply-gathering timer.
class ControllerSession : public QObject {
    Q_OBJECT
  public:
    explicit ControllerSession(ControllerLink& link);

    // Run in the link thread.
    bool openPort();
    void stop();

  private:
    void runCycle();
    void onReadyRead();
    void deliverReply();
    void onError(QSerialPort::SerialPortError error);

    ControllerLink& m_link;
    QSerialPort m_port;
    QTimer m_cycleTimer;
    QTimer m_gatherTimer;
    int m_cyclesUntilReopen = 0;
};
