#pragma once

#include <QString>
#include <QStringList>

// One run of the kvt executable and what it printed.
struct KvtRun {
    int exitCode;
    QString out;
    QString err;
};

KvtRun Kvt(const QStringList& args);
