#include "Commands.h"
#include "ui/report/Csv.h"

#include "core/data/KVTFile.h"

int RunSettings(const QStringList& args, std::FILE* out) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: kvt settings FILE\n");
        return 2;
    }
    QByteArray bytes;
    if (!ReadHostFile(args[0], bytes))
        return 1;
    QString path;
    ParameterList list;
    if (!ParseSettings(bytes, path, list)) {
        std::fprintf(stderr, "kvt: %s is not a settings file (388 bytes with a terminated path)\n",
                     qPrintable(args[0]));
        return 1;
    }
    WriteCsvLine(out, {QStringLiteral("path"), path});
    WriteCsvLine(out, {QStringLiteral("entry"), QStringLiteral("value")});
    for (std::size_t entry = 0; entry < list.size(); ++entry)
        WriteCsvLine(out, {QString::number(entry), FloatText(list[entry])});
    return 0;
}
