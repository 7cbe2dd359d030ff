#pragma once

#include "core/link/ControllerLink.h"

#include <QEventLoop>
#include <QSerialPort>
#include <QTimer>

// The part of the controller link that lives in the link thread: the port,
// the 200 ms cycle timer, the reply framer and the timer that notices the
// line going quiet. It ends the thread's event loop once the link asks it
// to stop.
class ControllerSession : public QObject {
    Q_OBJECT
  public:
    ControllerSession(ControllerLink& link, QEventLoop& loop);

    bool Open();

  private:
    void RunCycle();
    void OnReadyRead();
    void OnLineQuiet();
    void PublishCounts();
    void OnError(QSerialPort::SerialPortError error);

    ControllerLink& m_link;
    QEventLoop& m_loop;
    QSerialPort m_port;
    QTimer m_cycleTimer;
    QTimer m_quietTimer; // restarted by every byte: fires once the line is quiet
    ReplyFramer m_framer;
    int m_cyclesUntilReopen = 0;
};
