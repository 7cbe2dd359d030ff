// kvt: the instrument's files on the command line.
//   kvt dump FILE       every row of a data file (.kvt) as CSV
//   kvt settings FILE   the data-file path and the 82 entries of tarvo.ini
//   kvt tables FILE [--view records|settlement|summary] [--csv]
//                       a table of a data file as the main screen lists it

#include "Commands.h"

#include <QCoreApplication>
#include <QFile>

#include <clocale>

bool ReadHostFile(const QString& path, QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "kvt: cannot read %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    bytes = file.readAll();
    return true;
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.isEmpty() ? QString() : args.takeFirst();
    if (command == QLatin1String("dump"))
        return RunDump(args, stdout);
    if (command == QLatin1String("settings"))
        return RunSettings(args, stdout);
    if (command == QLatin1String("tables"))
        return RunTables(args, stdout);
    std::fputs("usage: kvt dump FILE | kvt settings FILE\n"
               "       kvt tables FILE [--view records|settlement|summary] [--csv]\n",
               stderr);
    return 2;
}
