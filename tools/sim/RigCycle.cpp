#include "RigCycle.h"

CommandCycle PlayRigCycle(const ControllerPort::Composer& compose, RigModel& rig,
                          const ControllerPort::ReplyHandler& handleReply) {
    const CommandCycle cycle = compose();
    rig.SetCircuit(cycle.doubleCircuitJack ? JackCircuit::Double : JackCircuit::Single);
    const QByteArray frame(reinterpret_cast<const char*>(cycle.frame.data()),
                           static_cast<qsizetype>(cycle.frame.size()));
    const QByteArray reply = rig.Reply(frame);
    if (!reply.isEmpty())
        handleReply(reply);
    rig.Advance(kRigCycleMs);
    return cycle;
}
