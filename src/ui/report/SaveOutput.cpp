#include "ui/report/SaveOutput.h"

#include <QSaveFile>

QString SaveThroughTemporary(const QString& path, const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (!write(file)) {
        file.cancelWriting();
        return file.error() != QFileDevice::NoError ? file.errorString()
                                                    : QStringLiteral("the output was refused");
    }
    if (!file.commit())
        return file.errorString();
    return {};
}
