#include "core/setup/CalibrationLookup.h"

#include "core/data/KVTFile.h"

#include <algorithm>

namespace {

bool Matches(const JackRecord& record, const CalibrationQuery& query) {
    const QString jack = JackText(record.jackNumber);
    const QString sensor = JackText(record.sensorNumber);
    if (!query.oilSensor)
        return sensor == query.sensorNumber && jack.isEmpty();
    if (!query.systemCalibration)
        return jack == query.jackNumber;
    return jack == query.jackNumber && sensor == query.sensorNumber;
}

CalibrationSelection SelectionOf(const JackRecord& record, int index) {
    CalibrationSelection selection;
    std::copy(std::begin(record.force), std::end(record.force), selection.calibrationLoads.begin());
    std::copy(std::begin(record.pressure), std::end(record.pressure), selection.calibrationPressures.begin());
    // A damaged count must not let the conversion read past the ten points.
    selection.pointCount = std::clamp(record.pointCount, 0, kJackSlots);
    selection.jackCalibrationIndex = index;
    return selection;
}

} // namespace

std::optional<CalibrationLookup> LookupCalibration(const KVTFile& files, const CalibrationQuery& query) {
    std::vector<JackRecord> table(kJackSlots, JackRecord::Blank());
    if (!files.LoadJackTable(table))
        return std::nullopt;
    std::optional<int> match;
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        if (Matches(table[static_cast<std::size_t>(i)], query))
            match = i;
    }
    if (!match)
        return std::nullopt;
    const CalibrationSelection selection = SelectionOf(table[static_cast<std::size_t>(*match)], *match);
    return CalibrationLookup{std::move(table), selection};
}

void StoreCalibration(CPublic& pub, const CalibrationLookup& lookup) {
    pub.jackTable = lookup.table;
    pub.calibration = lookup.selection;
}

bool ReselectCalibration(CPublic& pub, const KVTFile& files) {
    constexpr int kCalibrationData = 2;
    if (pub.pressureMode != kCalibrationData)
        return true;
    const CalibrationQuery query{.oilSensor = pub.pressureSensor == 1,
                                 .systemCalibration = pub.calibrationSource == 1,
                                 .sensorNumber = pub.sensorNumber,
                                 .jackNumber = pub.jackNumber};
    const std::optional<CalibrationLookup> lookup = LookupCalibration(files, query);
    if (lookup)
        StoreCalibration(pub, *lookup);
    return lookup.has_value();
}
