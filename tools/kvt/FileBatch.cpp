#include "FileBatch.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

std::optional<FileBatch> ParseFileBatch(const QStringList& args) {
    FileBatch batch;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--out") || arg == QLatin1String("--out-dir")) {
            if (++i == args.size() || args[i].isEmpty())
                return std::nullopt;
            (arg == QLatin1String("--out") ? batch.out : batch.outDir) = args[i];
        } else if (arg.startsWith(QLatin1String("--"))) {
            return std::nullopt;
        } else {
            batch.files.append(arg);
        }
    }
    if (batch.files.isEmpty() || batch.out.isEmpty() == batch.outDir.isEmpty())
        return std::nullopt;
    if (!batch.out.isEmpty() && batch.files.size() > 1)
        return std::nullopt;
    return batch;
}

int RunFileBatch(const FileBatch& batch, const QString& suffix, std::FILE* out,
                 const std::function<bool(const QString& file, const QString& output)>& write) {
    if (!batch.outDir.isEmpty() && !QDir().mkpath(batch.outDir)) {
        std::fprintf(stderr, "kvt: cannot create the folder %s\n", qPrintable(batch.outDir));
        return 1;
    }
    int failures = 0;
    QSet<QString> outputs;
    for (const QString& file : batch.files) {
        const QString output =
            batch.out.isEmpty()
                ? QDir(batch.outDir).filePath(QFileInfo(file).completeBaseName() + QLatin1Char('.') + suffix)
                : batch.out;
        // Two files of one name in different folders would overwrite each other.
        if (outputs.contains(output)) {
            std::fprintf(stderr, "kvt: %s: %s is already written from an earlier file of that name\n",
                         qPrintable(file), qPrintable(output));
            ++failures;
            continue;
        }
        if (!write(file, output)) {
            ++failures;
            continue;
        }
        outputs.insert(output);
        std::fprintf(out, "%s\n", qPrintable(output));
    }
    return failures == 0 ? 0 : 1;
}
