#pragma once

// Pile (or plate) parameters. Loads in kN, settlements in mm, times in seconds.
struct PileParams {
    double failureLoad = 1600.0;     // ultimate load; the settlement runs away as the load nears it
    double settlementScale = 7.0;    // mm; final settlement = scale * x / (1 - x), x = load / failureLoad
    double elasticPerKN = 0.0025;    // mm/kN of the final settlement that comes back on unloading
    double creepAtZero = 0.05;       // share of a settlement change that creeps, at no load ...
    double creepPerLoadRatio = 0.5;  // ... growing by this much per unit of x
    double immediateSeconds = 10.0;  // time constant of the immediate response
    double creepSeconds = 20.0 * 60; // time constant of the creep at low load ...
    double creepSlowdown = 0.05;     // ... times 1 + slowdown * (x / (1 - x))^2: a failing pile keeps going
};

// The settlement of the pile head under a load history. Each load has a final
// settlement; part of any change appears at once and the rest creeps towards
// it. The elastic part follows the load both ways (the rebound on unloading,
// which creeps too); the plastic part only ever grows.
class PileModel {
  public:
    // The settlement parts at a moment, to carry them across a restart.
    struct Snapshot {
        double elasticImmediate = 0.0;
        double elasticCreep = 0.0;
        double plasticImmediate = 0.0;
        double plasticCreep = 0.0;
    };

    explicit PileModel(const PileParams& params);

    Snapshot TakeSnapshot() const {
        return {m_elasticImmediate, m_elasticCreep, m_plasticImmediate, m_plasticCreep};
    }
    void Restore(const Snapshot& snapshot) {
        m_elasticImmediate = snapshot.elasticImmediate;
        m_elasticCreep = snapshot.elasticCreep;
        m_plasticImmediate = snapshot.plasticImmediate;
        m_plasticCreep = snapshot.plasticCreep;
    }

    // The load held constant for the next `seconds`.
    void Advance(double load, double seconds);

    double Settlement() const;
    // The settlement the pile would come to under this load if held for ever
    // after a loading from zero.
    double FinalSettlement(double load) const;

  private:
    double LoadRatio(double load) const;
    double CreepShare(double load) const;
    double CreepSeconds(double load) const;

    PileParams m_params;
    double m_elasticImmediate = 0.0;
    double m_elasticCreep = 0.0;
    double m_plasticImmediate = 0.0;
    double m_plasticCreep = 0.0;
};
