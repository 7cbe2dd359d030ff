#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <functional>
#include <optional>

// The data files a writing command works on and where each one's output
// goes: one file with --out PATH, or any number with --out-dir DIR, each to
// DIR/<its base name>.<suffix>.
struct FileBatch {
    QStringList files;
    QString out;
    QString outDir;
};

// The batch named by `args`; none when a file or the output is missing, both
// --out and --out-dir are given, --out has more than one file, or an option
// is unknown.
std::optional<FileBatch> ParseFileBatch(const QStringList& args);

// Runs `write` (data file, output path; false after its own message on
// stderr) for every file, going on after a failure. Prints each output's path
// to `out`. 0 when every file was written, else 1.
int RunFileBatch(const FileBatch& batch, const QString& suffix, std::FILE* out,
                 const std::function<bool(const QString& file, const QString& output)>& write);
