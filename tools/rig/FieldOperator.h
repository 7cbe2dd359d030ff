#pragma once

#include "Hydraulics.h"

#include <optional>

enum class JackCircuit { Single, Double };

// How the operator at the jack unloads. Loads in kN, times in seconds.
struct OperatorParams {
    double reactionSeconds = 5.0;   // from a lower target to the hand on the release valve
    double engageMargin = 10.0;     // load above the target at which releasing starts
    double stopMargin = 3.0;        // load above the target at which the valve is shut
    double slowBand = 40.0;         // above target + slowBand the valve may open fully
    double openingPerSecond = 0.05; // how fast the hand opens the valve (fraction per s)
};

// The operator standing at the pump. The instrument can only raise the load by
// pumping; lowering it is done by hand, as the instrument's prompts ask:
// - single circuit: after a lower target the operator opens the release valve
//   bit by bit and shuts it when the load has come down near the target;
// - double circuit: the operator reverses the oil path (before confirming the
//   prompt, so at once), and the instrument's pump then draws the load down.
// At target 0 the release valve is opened fully on either jack.
// The operator reads targets off the instrument, in its unit (kPa in a ground
// test), and judges them against the load the instrument shows beside them.
class FieldOperator {
  public:
    // What the operator has in mind at a moment, to carry it across a restart.
    struct Snapshot {
        std::optional<double> target;
        double shownPerKN = 1.0;
        bool unloading = false;
        double secondsSinceDrop = 0.0;
        bool releasing = false;
    };

    FieldOperator(const OperatorParams& params, JackCircuit circuit);

    Snapshot TakeSnapshot() const {
        return {m_target, m_shownPerKN, m_unloading, m_secondsSinceDrop, m_releasing};
    }
    void Restore(const Snapshot& snapshot);
    // The jack changes with the test set up. A reversed oil path stays as it
    // is until the next higher target, so a restart in the middle of
    // unloading keeps it.
    void SetCircuit(JackCircuit circuit) { m_circuit = circuit; }

    // The target load of each command frame that carries one, with the load
    // the instrument shows, both in the instrument's unit.
    void SeeTarget(double target, std::optional<double> shownLoad, Hydraulics& hydraulics);
    // The operator's hands for the next `seconds`.
    void Act(Hydraulics& hydraulics, double seconds);

  private:
    void ActOnReleaseValve(Hydraulics& hydraulics, double seconds);

    OperatorParams m_params;
    JackCircuit m_circuit;
    std::optional<double> m_target; // in the instrument's unit
    double m_shownPerKN = 1.0;      // the instrument's unit per kN of the jack, from the shown load
    bool m_unloading = false;       // the target last went down
    double m_secondsSinceDrop = 0.0;
    bool m_releasing = false; // the valve is in hand (hysteresis between the margins)
};
