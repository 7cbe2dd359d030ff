#include "core/view/CurveModel.h"

#include "core/view/RoundDecimals.h"
#include "core/view/Truncate.h"

CurveModel::CurveModel() {
    pointLevel.fill(kNoLevel);
}

void CurveModel::ClearPoints() {
    loadPoints.clear();
    timePoints.clear();
    pointLevel.fill(kNoLevel);
}

void CurveModel::AddLoadPoint(CurvePoint point) {
    loadPoints.push_back(point);
}

bool CurveModel::AddTimePoint(CurvePoint point, int levelLoad) {
    if (timePoints.size() >= kMaxTimePoints)
        return false;
    pointLevel[timePoints.size()] = levelLoad;
    timePoints.push_back(point);
    return true;
}

void CurveModel::ShowEmptyTest(int code) {
    ClearPoints();
    maxX = 1000;
    standardCode = code;
    yMaxScaled = 10.0 * SettlementScale(code);
}

int SettlementScale(int standardCode) {
    return SettlementDecimals(standardCode) == 3 ? 1000 : 100;
}

int ScaledSettlement(float mm, int standardCode) {
    // Single precision, so that a shown 1.15 mm gives 115, not 114.
    const float scaled = mm * static_cast<float>(SettlementScale(standardCode));
    return TruncateToInt(scaled);
}
