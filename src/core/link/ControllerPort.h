#pragma once

#include "core/link/CommandComposer.h"

#include <QByteArray>
#include <QObject>

#include <functional>

// Where the loading controller is reached: the serial link on COM1, or a
// simulated rig. Every 200 ms of the instrument's time the composer builds a
// command frame and the controller's reply goes to the reply handler.
class ControllerPort : public QObject {
    Q_OBJECT
  public:
    using Composer = std::function<CommandCycle()>;
    using ReplyHandler = std::function<void(const QByteArray& block)>;

    // Starts the cycle; false when the controller cannot be reached.
    virtual bool Open() = 0;

  signals:
    // May be emitted from another thread; connect with a queued connection.
    void ReplyProcessed();
    // A composed frame asks for the beep sound file.
    void BeepRequested();
};
