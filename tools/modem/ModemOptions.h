#pragma once

#include <QString>
#include <QStringList>

#include <variant>

// How the simulated GPRS module answers.
enum class ModemMode {
    Acknowledge,   // every data frame acknowledged, the module test frame answered 4
    NotRegistered, // every frame answered 3
    Silent,        // no answer at all
};

struct ModemOptions {
    ModemMode mode = ModemMode::Acknowledge;
    int delayMs = 5;       // real time from a frame to its answer
    int dropEvery = 0;     // every k-th answer is not sent; 0 drops none
    double silentForS = 0; // no answer during the first seconds after start
    QString logFile = {};  // one line per received frame
};

struct ModemUsage {
    QString text;
    bool isError = true;
};

// The command line of modemsim; arguments[0] is the program.
std::variant<ModemOptions, ModemUsage> ParseModemOptions(const QStringList& arguments);
