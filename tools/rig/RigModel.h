#pragma once

// The simulated loading rig: jack, pump, pile and gauges behind the controller
// protocol, driven only by the time it is given.
//
// Hydraulics: the jack circuit holds an oil pressure P (MPa). The pump, when
// the frame's gate allows it and its run byte is 0xFF, raises P at
// 0.325 + 0.00325 * speed MPa/s (about 5 kN/s at speed 1 and 10 kN/s at speed
// 255 on the default jack, so a 200 ms pulse at speed 20 adds about 1.2 kN) up
// to the relief pressure of 70 MPa. P leaks away at 0.15 % per minute (1.5 kN
// per minute at 1000 kN, so a 10 kN hold band is crossed every few minutes).
// Load (kN) = P * ratedForce / ratedPressure * jackCount, by default
// 1000 kN / 65 MPa and one jack. The release valve lets off up to 0.3 MPa/s
// at rated pressure, less at lower pressure (orifice flow, square root of P).
// Unloading: targets are read in the instrument's unit (kPa in a ground test)
// and turned into kN by the shown load of the frame; on a single-circuit jack
// the field operator, 5 s after the target drops by more than 10 kN below the load, opens the release valve
// by 5 % per second at most, closes it towards the target (fully open 40 kN or more above it) and shuts it
// when the load is within 3 kN of the target; on a double-circuit jack the operator reverses the oil path at
// once when the target drops, and the pump then lowers P at its delivery rate. At target 0 the release valve
// is opened fully on either jack. Pile: with x = load / failureLoad (default 1600 kN, x capped at 0.99) the
// final settlement is 7 mm * x / (1 - x): about 0.5 mm at 100 kN, 3.2 mm at
// 500 kN and 11.7 mm at 1000 kN. Of each change, the share 0.05 + 0.5 * x
// creeps, the rest follows within about 10 s. The creep time constant is
// 20 min * (1 + 0.05 * (x / (1 - x))^2): 23 min at 1000 kN, so with 100 kN
// stages the settlement per hour falls below 0.1 mm after about 1 h at
// 100 kN, 1.5 h at 500 kN and 2 h at 1000 kN, while near the failure load
// the pile creeps on for many hours. 0.0025 mm/kN of the settlement is
// elastic and comes back on unloading (also with creep); the rest stays.
// Gauges: 1-4 read the pile head from their start readings (6.0, 4.5, 5.5,
// 7.0 mm) plus settlement * (1 + tilt), tilt +5 %, +3 %, -5 %, -3 %; 5-8 read
// the anchor piles, rising 0.0018-0.0022 mm per kN of load. Each reply adds
// noise of up to +-0.01 mm; the raw count is reading / 0.009921875 mm, 16-bit
// two's complement.
// Load channel: an oil-pressure sensor gives P * 1200 * S / R counts (R 80 MPa,
// S 2.13 mV/V), which a coefficient of 2.077 counts per kN turns back into the
// load; a force sensor gives load * 2.077 counts.
//
// Reply block, 31 bytes, little-endian 16-bit counts:
//
// | offset | content                      |
// |--------|------------------------------|
// | 0      | 0                            |
// | 1-2    | load channel count           |
// | 3-4    | 0                            |
// | 5-20   | gauges 1-8, two bytes each   |
// | 21-30  | 0                            |

#include "FieldOperator.h"
#include "Gauges.h"
#include "Hydraulics.h"
#include "LoadSensor.h"
#include "PileModel.h"
#include "ReplyFaults.h"

#include <QByteArray>

#include <array>
#include <random>

inline constexpr int kReplySize = 31;

struct RigConfig {
    JackCircuit circuit = JackCircuit::Single;
    HydraulicParams hydraulics;
    OperatorParams fieldOperator;
    PileParams pile;
    GaugeParams gauges;
    LoadSensorParams loadSensor;
    FaultPlan fault;
    unsigned seed = 1;
};

// The plant's state at a moment (not the configuration, nor the noise and
// fault generators): enough to go on after a restart where it stood.
struct RigState {
    Hydraulics::Snapshot hydraulics;
    FieldOperator::Snapshot fieldOperator;
    PileModel::Snapshot pile;
};

class RigModel {
  public:
    explicit RigModel(const RigConfig& config = {});

    RigState TakeSnapshot() const;
    void Restore(const RigState& state);

    // Answers one 12-byte command frame with the state as it is now, then
    // takes the frame's commands. Empty when the rig stays silent, which it
    // also does for a block that is not one frame.
    QByteArray Reply(const QByteArray& frame);
    // Lets the rig run on for this long under the last commands.
    void Advance(qint64 milliseconds);

    void SetFault(const FaultPlan& plan) { m_faults.SetPlan(plan); }
    void SetCircuit(JackCircuit circuit);

    // The true state, without noise.
    double Load() const { return m_hydraulics.Load(); }
    double Pressure() const { return m_hydraulics.Pressure(); }
    double Settlement() const { return m_pile.Settlement(); }
    std::array<double, kGaugeCount> GaugeReadings() const;
    double ReleaseOpening() const { return m_hydraulics.ReleaseOpening(); }
    bool OilPathReversed() const { return m_hydraulics.OilPathReversed(); }

  private:
    QByteArray Measurement();

    RigConfig m_config;
    Hydraulics m_hydraulics;
    FieldOperator m_operator;
    PileModel m_pile;
    ReplyFaults m_faults;
    std::mt19937 m_noise;
};
