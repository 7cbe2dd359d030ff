#pragma once

#include "RigModel.h"

#include <QString>
#include <QStringList>

#include <variant>

struct RigsimOptions {
    RigConfig rig;
    double timeScale = 1.0; // model seconds per real second
};

// What rigsim prints instead of running: the help text, or why the command
// line was not understood.
struct RigsimUsage {
    QString text;
    bool isError = true;
};

// The command line of rigsim; arguments[0] is the program.
std::variant<RigsimOptions, RigsimUsage> parseRigsimOptions(const QStringList& arguments);
