#include "Commands.h"
#include "FileBatch.h"
#include "TestFile.h"

#include "ui/report/SaveOutput.h"
#include "ui/report/TestExport.h"

#include <QFileInfo>

int RunExport(const QStringList& args, std::FILE* out) {
    QStringList rest = args;
    const qsizetype at = rest.indexOf(QStringLiteral("--format"));
    const QString format = at >= 0 && at + 1 < rest.size() ? rest[at + 1] : QString();
    if (at >= 0)
        rest.remove(at, std::min<qsizetype>(2, rest.size() - at));
    const std::optional<FileBatch> batch = ParseFileBatch(rest);
    if (!batch || (format != QLatin1String("csv") && format != QLatin1String("json"))) {
        std::fputs("usage: kvt export FILE --format csv|json --out OUT\n"
                   "       kvt export FILE... --format csv|json --out-dir DIR\n",
                   stderr);
        return 2;
    }
    const bool csv = format == QLatin1String("csv");
    return RunFileBatch(*batch, format, out, [csv](const QString& file, const QString& output) {
        CPublic pub;
        CurveModel curves;
        if (!OpenTestFile(file, pub, curves))
            return false;
        const QString source = QFileInfo(file).fileName();
        const QByteArray bytes = csv ? ExportCsv(pub, source) : ExportJson(pub, source);
        const QString error = SaveThroughTemporary(
            output, [&bytes](QIODevice& device) { return device.write(bytes) == bytes.size(); });
        if (!error.isEmpty())
            std::fprintf(stderr, "kvt: cannot write %s: %s\n", qPrintable(output), qPrintable(error));
        return error.isEmpty();
    });
}
