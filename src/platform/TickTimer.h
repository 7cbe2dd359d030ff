#pragma once

#include "platform/TickPacer.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// The main window's once-a-period timer, placed right after the controller's
// replies (see TickPacer). Without replies it ticks like a plain timer.
class TickTimer : public QObject {
    Q_OBJECT
  public:
    TickTimer(int periodMs, QObject* parent);

    void Start();
    // A whole controller reply was processed.
    void ReplyArrived();

  signals:
    void Tick();

  private:
    void OnDeadline();
    void ArmDeadline();
    void EmitTick();

    int m_periodMs;
    QElapsedTimer m_elapsed; // monotonic: a clock set by the operator does not move ticks
    TickPacer m_pacer;
    QTimer m_deadline;
    bool m_ticking = false;
};
