#include "core/data/ParameterList.h"

ParameterList DefaultParameterList() {
    ParameterList list(kParameterCount, 0.0f);
    list[Entry::doubleCircuitJack] = 1;
    list[Entry::pressureSensor] = 1;
    list[Entry::jackRatedPressure] = 65;
    list[Entry::jackRatedForce] = 1000;
    list[Entry::jackCount] = 1;
    list[Entry::sensorRange] = 80;
    list[Entry::sensorSensitivity] = 2.13f;
    list[Entry::loadPulseTicks] = 1;
    list[Entry::unloadPulseTicks] = 1;
    list[Entry::plateArea] = 1;
    list[Entry::holdBand] = 10;
    list[Entry::stageStep] = 100;
    list[Entry::maxLoad] = 1000;
    list[Entry::maxSettlement] = 40;
    list[Entry::maxUnevenSettlement] = 10;
    list[Entry::loadProtectSeconds] = 90;
    list[Entry::gaugeRangeAlarm] = 40;
    list[Entry::anchorUpliftAlarm] = 10;
    list[33] = 10;
    list[34] = 10;
    list[Entry::holdMinutes] = 90;
    list[Entry::stableCheckMinutes] = 60;
    list[Entry::stableCheckCount] = 2;
    list[Entry::stableSettlement] = 0.1f;
    const float loadIntervals[6] = {5, 10, 15, 15, 15, 30};
    const float unloadIntervals[6] = {15, 15, 30, 30, 30, 30};
    for (int i = 0; i < 6; ++i) {
        list[Entry::loadIntervalsFirst + i] = loadIntervals[i];
        list[Entry::unloadIntervalsFirst + i] = unloadIntervals[i];
    }
    return list;
}

float ParameterAt(const ParameterList& list, int entry, float fallback) {
    if (entry < 0 || static_cast<std::size_t>(entry) >= list.size())
        return fallback;
    return list[static_cast<std::size_t>(entry)];
}
