#pragma once

#include <QStringList>

#include <cstdio>

// One function per kvt command. `args` are the arguments after the command
// name; output goes to `out`, errors to stderr. Returns the exit code.
int RunDump(const QStringList& args, std::FILE* out);
int RunSettings(const QStringList& args, std::FILE* out);
int RunTables(const QStringList& args, std::FILE* out);
// The ten groups of a jack table (QJDlddat.dat); a system calibration run (xtbd.ini).
int RunJacks(const QStringList& args, std::FILE* out);
int RunCalibration(const QStringList& args, std::FILE* out);
// Needs a QGuiApplication (fonts); writes the picture's path to `out`.
int RunPlot(const QStringList& args, std::FILE* out);

// Write one output per data file (FileBatch.h); the report needs a
// QGuiApplication (fonts).
int RunTestReport(const QStringList& args, std::FILE* out);
int RunExport(const QStringList& args, std::FILE* out);

// The frames of an upload queue file (tarvoGPRS.dat), one decoded line each.
int RunQueue(const QStringList& args, std::FILE* out);

// Runs a whole test against the simulated rig; prints one line per stage.
int RunSimulate(const QStringList& args, std::FILE* out);

// Reads a whole host file; false (with a message on stderr) when it cannot.
bool ReadHostFile(const QString& path, QByteArray& bytes);
