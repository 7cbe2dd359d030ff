#pragma once

#include <QString>

// Every control carries its identifier as its object name, so the code and
// the tests find it by the id the dialog gives it.
inline QString ControlName(int controlId) {
    return QString::number(controlId);
}
