#pragma once

#include "core/data/JackRecord.h"
#include "core/data/KVTFile.h"

#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

// Jack calibration records as the calibration dialog saves them, for tests
// of the test settings' lookup.
namespace JackRecords {

struct Point {
    float pressure; // MPa
    float load;     // kN
};

// The number texts the file can hold: ten units.
inline void SetNumber(char16_t (&field)[20], const QString& text) {
    for (qsizetype i = 0; i < std::min<qsizetype>(text.size(), 10); ++i)
        field[i] = text.at(i).unicode();
}

inline JackRecord Make(const QString& jackNumber, const QString& sensorNumber,
                       std::initializer_list<Point> points) {
    JackRecord record = JackRecord::Blank();
    SetNumber(record.jackNumber, jackNumber);
    SetNumber(record.sensorNumber, sensorNumber);
    record.pointCount = static_cast<int>(points.size());
    int i = 0;
    for (const Point& point : points) {
        record.pressure[i] = point.pressure;
        record.force[i] = point.load;
        ++i;
    }
    return record;
}

// Writes the records into the first slots of the calibration file, blank
// records after them.
inline void Save(const KVTFile& files, std::vector<JackRecord> records) {
    records.resize(kJackSlots, JackRecord::Blank());
    ASSERT_TRUE(files.SaveJackTable(records));
}

} // namespace JackRecords
