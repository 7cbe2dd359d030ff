#pragma once

// Jack circuit parameters. Pressures in MPa, forces in kN, times in seconds.
struct HydraulicParams {
    double ratedPressure = 65.0;  // MPa at the rated force of one jack
    double ratedForce = 1000.0;   // kN of one jack at the rated pressure
    int jackCount = 1;            // jacks in parallel on the one circuit
    double reliefPressure = 70.0; // the pump cannot push past this
    // Pump delivery while running: base + perSpeed * speed (speed 1-255).
    double pumpBaseRate = 0.325;       // MPa/s
    double pumpRatePerSpeed = 0.00325; // MPa/s per speed step
    double leakPerMinute = 0.0015;     // fraction of the pressure lost per minute
    double releaseRate = 0.3;          // MPa/s with the release valve fully open at rated pressure
};

// The oil circuit of the jacks: a pump that raises the pressure (or, with the
// oil path reversed on a double-circuit jack, draws it down), a slow leak and
// a hand release valve.
class Hydraulics {
  public:
    // What the circuit holds at a moment, to carry it across a restart.
    struct Snapshot {
        double pressure = 0.0;
        double pumpRate = 0.0;
        bool reversed = false;
        double releaseOpening = 0.0;
    };

    explicit Hydraulics(const HydraulicParams& params);

    Snapshot TakeSnapshot() const { return {m_pressure, m_pumpRate, m_reversed, m_releaseOpening}; }
    void Restore(const Snapshot& snapshot);

    // The pump runs at the given speed until told otherwise; speed 0 stops it.
    void SetPump(bool running, int speed);
    void SetOilPathReversed(bool reversed) { m_reversed = reversed; }
    bool OilPathReversed() const { return m_reversed; }
    // Release valve opening, 0 (closed) to 1 (fully open).
    void SetReleaseOpening(double opening);
    double ReleaseOpening() const { return m_releaseOpening; }

    void Advance(double seconds);

    double Pressure() const { return m_pressure; }
    double Load() const { return m_pressure * KNPerMPa(); }
    double KNPerMPa() const;

  private:
    HydraulicParams m_params;
    double m_pressure = 0.0;
    double m_pumpRate = 0.0; // MPa/s, 0 when the pump stands
    bool m_reversed = false;
    double m_releaseOpening = 0.0;
};
