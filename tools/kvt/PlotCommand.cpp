#include "Commands.h"
#include "TestFile.h"

#include "ui/view/GraphPainter.h"

namespace {

const char kUsage[] = "usage: kvt plot FILE [--curve 1|2|3] --out PNG\n";

struct PlotOptions {
    QString path;
    int curveView = 1;
    QString out;
};

bool ParseOptions(const QStringList& args, PlotOptions& options) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--curve") || arg == QLatin1String("--out")) {
            if (++i == args.size())
                return false;
            if (arg == QLatin1String("--out")) {
                options.out = args[i];
                continue;
            }
            const QString& view = args[i];
            if (view.size() != 1 || view[0] < QLatin1Char('1') || view[0] > QLatin1Char('3'))
                return false;
            options.curveView = view.toInt();
        } else if (arg.startsWith(QLatin1String("--")) || !options.path.isEmpty()) {
            return false;
        } else {
            options.path = arg;
        }
    }
    return !options.path.isEmpty() && !options.out.isEmpty();
}

} // namespace

int RunPlot(const QStringList& args, std::FILE* out) {
    PlotOptions options;
    if (!ParseOptions(args, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    CPublic pub;
    CurveModel curves;
    if (!OpenTestFile(options.path, pub, curves))
        return 1;
    curves.curveMode = options.curveView;
    curves.loadInKN = pub.loadInKN;
    if (!RenderGraph(curves).save(options.out, "PNG")) {
        std::fprintf(stderr, "kvt: cannot write %s\n", qPrintable(options.out));
        return 1;
    }
    std::fprintf(out, "%s\n", qPrintable(options.out));
    return 0;
}
