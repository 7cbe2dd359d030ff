#pragma once

#include "RigModel.h"
#include "core/link/ControllerPort.h"

inline constexpr int kRigCycleMs = 200;

// One controller cycle played against the simulated rig: the composed frame
// goes to the rig, the rig's reply to the handler, and the rig moves on by
// one cycle. The rig's jack is the one the cycle was composed for. Returns
// what the composer made of the cycle.
CommandCycle PlayRigCycle(const ControllerPort::Composer& compose, RigModel& rig,
                          const ControllerPort::ReplyHandler& handleReply);
