#pragma once

#include "core/data/CPublic.h"

#include <QString>
#include <QVariant>

#include <vector>

// One fact about a test as its data file holds it: a key for the open export
// (ASCII, unit in the name), a caption for the report (unit in parentheses)
// and the value: a text, an int or a double. A value the file does not hold
// (an empty text) is an invalid QVariant and shows as not recorded.
struct IdentityField {
    QString key;
    QString caption;
    QVariant value;
    int decimals = 0; // for a double in the report; -1: as few as read back the same
};

// The identity of the test in `pub`, after its file has been opened (rows,
// restored parameters, derived settlement rows): serial and pile number, date
// and times of the first and last reading, test type, standard, load unit
// and loads, jack, sensor and load conversion.
std::vector<IdentityField> TestIdentity(const CPublic& pub);

// The report's text of a field's value; "未记录" for one the file lacks.
QString IdentityText(const IdentityField& field);
