#include "Commands.h"
#include "FileBatch.h"
#include "TestFile.h"

#include "ui/report/SaveOutput.h"
#include "ui/report/TestReport.h"

#include <QFileInfo>

int RunTestReport(const QStringList& args, std::FILE* out) {
    const std::optional<FileBatch> batch = ParseFileBatch(args);
    if (!batch) {
        std::fputs("usage: kvt report FILE --out PDF | kvt report FILE... --out-dir DIR\n", stderr);
        return 2;
    }
    return RunFileBatch(*batch, QStringLiteral("pdf"), out, [](const QString& file, const QString& output) {
        CPublic pub;
        CurveModel curves;
        if (!OpenTestFile(file, pub, curves))
            return false;
        const QString error = SaveThroughTemporary(output, [&](QIODevice& device) {
            return WriteTestReport(pub, curves, QFileInfo(file).fileName(), device) > 0;
        });
        if (!error.isEmpty())
            std::fprintf(stderr, "kvt: cannot write %s: %s\n", qPrintable(output), qPrintable(error));
        return error.isEmpty();
    });
}
