#pragma once

#include "core/data/CPublic.h"
#include "core/data/JackRecord.h"

#include <QString>

#include <optional>
#include <vector>

class KVTFile;

// Which jack calibration record a test uses: an oil-pressure sensor takes
// the record of its jack (and, from the system calibration, of its sensor
// too); a force sensor takes the system calibration of its sensor alone.
struct CalibrationQuery {
    bool oilSensor = true;
    bool systemCalibration = false;
    QString sensorNumber;
    QString jackNumber;

    // An oil-pressure sensor on the jack's own calibration.
    static CalibrationQuery JackTable(const QString& jackNumber) {
        return {true, false, QString(), jackNumber};
    }
    // An oil-pressure sensor with the system calibration of jack and sensor.
    static CalibrationQuery OilSystem(const QString& sensorNumber, const QString& jackNumber) {
        return {true, true, sensorNumber, jackNumber};
    }
    // A force sensor with its system calibration.
    static CalibrationQuery ForceSystem(const QString& sensorNumber) {
        return {false, true, sensorNumber, QString()};
    }
};

struct CalibrationLookup {
    std::vector<JackRecord> table;  // the ten records as read from the file
    CalibrationSelection selection; // the points of the matching record
};

// Reads the jack calibration file over ten blank records and takes the last
// record that matches. Nothing when the file cannot be opened or no record
// matches.
std::optional<CalibrationLookup> LookupCalibration(const KVTFile& files, const CalibrationQuery& query);

// Makes the found record the table the load conversion works with.
void StoreCalibration(CPublic& pub, const CalibrationLookup& lookup);

// A test restored after a restart keeps only its jack and sensor numbers,
// not the points: a test measured through calibration data looks its record
// up again, else its load would stay frozen. False when it uses calibration
// data and no record matches any more.
bool ReselectCalibration(CPublic& pub, const KVTFile& files);
