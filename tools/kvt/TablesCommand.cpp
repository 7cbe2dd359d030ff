#include "Commands.h"
#include "TestFile.h"

#include "core/view/TableViews.h"
#include "core/view/ViewTitles.h"
#include "ui/report/Csv.h"

namespace {

const char kUsage[] = "usage: kvt tables FILE [--view records|settlement|summary] [--csv]\n";

struct TablesOptions {
    QString path;
    int tableView = kSummaryTable;
    bool csv = false;
};

int TableViewNamed(const QString& name) {
    if (name == QLatin1String("summary"))
        return kSummaryTable;
    if (name == QLatin1String("settlement"))
        return kLoadSettlementTable;
    if (name == QLatin1String("records"))
        return kRecordTable;
    return 0;
}

bool ParseOptions(const QStringList& args, TablesOptions& options) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--csv")) {
            options.csv = true;
        } else if (arg == QLatin1String("--view")) {
            if (++i == args.size())
                return false;
            options.tableView = TableViewNamed(args[i]);
            if (options.tableView == 0)
                return false;
        } else if (arg.startsWith(QLatin1String("--")) || !options.path.isEmpty()) {
            return false;
        } else {
            options.path = arg;
        }
    }
    return !options.path.isEmpty();
}

void WriteLine(std::FILE* out, const QStringList& fields, bool csv) {
    if (csv) {
        WriteCsvLine(out, fields);
        return;
    }
    const QByteArray line = fields.join(QLatin1Char('\t')).toUtf8() + '\n';
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), out);
}

} // namespace

int RunTables(const QStringList& args, std::FILE* out) {
    TablesOptions options;
    if (!ParseOptions(args, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    CPublic pub;
    CurveModel curves;
    if (!OpenTestFile(options.path, pub, curves))
        return 1;
    const TableView table = *ComposeTable(pub, options.tableView);

    QStringList captions;
    for (const TableColumn& column : table.columns)
        captions.append(column.caption);
    WriteLine(out, captions, options.csv);
    for (const QStringList& row : table.rows)
        WriteLine(out, row, options.csv);
    return 0;
}
