#pragma once

// The stage the test is in, as the load controller moves it. The integer
// values are the codes stored in the data file's run-state row and must not
// change.
enum class ControlState : int {
    Waiting = 0,       // "等  待" / "待加载": waiting for the operator
    Loading = 1,       // "加载中": pump raising the load to a higher target
    Holding = 2,       // "维  荷": holding the stage load, readings by loadIntervals
    Reloading = 3,     // "补载中": load sank below the hold band, pump re-loading
    Stable = 4,        // "稳  定": judged stable, 30 s signal, then the next stage
    Unloading = 5,     // "卸载中": load going down to a lower target
    HoldingUnload = 6, // "卸载中": holding an unloading stage, readings by unloadIntervals
};

inline constexpr int StoredCode(ControlState state) {
    return static_cast<int>(state);
}

// A stored code read back. Codes above 6 (7 and 8 were reserved, never
// entered) behave as holding an unloading stage, as they always did; a
// negative or damaged code waits.
inline constexpr ControlState ControlStateFromCode(int code) {
    if (code <= 0)
        return ControlState::Waiting;
    if (code >= 6)
        return ControlState::HoldingUnload;
    return static_cast<ControlState>(code);
}

// Holding a loading stage: the loading schedule runs and stability is judged.
inline constexpr bool IsHoldingLoad(ControlState state) {
    return state == ControlState::Holding || state == ControlState::Reloading;
}

// Unloading or holding an unloading stage.
inline constexpr bool IsUnloadingPhase(ControlState state) {
    return state == ControlState::Unloading || state == ControlState::HoldingUnload;
}
