#include "core/standards/StandardSchedule.h"

std::optional<int> UnloadingStageReadings(int standardCode) {
    switch (standardCode) {
    case 6:
        return 0;
    case 4:
    case 7:
    case 11:
    case 59:
        return 1;
    case 1:
    case 2:
    case 3:
    case 5:
    case 8:
    case 9:
    case 10:
    case 32:
    case 33:
    case 57:
    case 58:
    case 60:
        return 2;
    case 0:
    case 12:
        return 3;
    default:
        return std::nullopt;
    }
}

int FinalReboundMinutes(int standardCode) {
    switch (standardCode) {
    case 0:
        return 19;
    case 4:
    case 7:
    case 10:
    case 11:
        return 119;
    case 58:
        return 29;
    default:
        return 179;
    }
}

bool DoublesLastLoadingInterval(int standardCode) {
    return standardCode == 1 || standardCode == 33;
}
