#include "platform/DeviceFolders.h"
#include "ui/app/AppOptions.h"
#include "ui/app/CMainApp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFont>

#include <clocale>

namespace {

AppOptions ParseOptions(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Static load test instrument"));
    parser.addHelpOption();
    const QCommandLineOption dataRoot(QStringLiteral("data-root"),
                                      QStringLiteral("Folder that holds the instrument's device folders."),
                                      QStringLiteral("DIR"), DeviceFolders::defaultDataRoot());
    const QCommandLineOption com1(QStringLiteral("com1"),
                                  QStringLiteral("Serial device of the loading controller (COM1)."),
                                  QStringLiteral("DEVICE"));
    const QCommandLineOption com2(QStringLiteral("com2"),
                                  QStringLiteral("Serial device of the GPRS modem (COM2)."),
                                  QStringLiteral("DEVICE"));
    parser.addOptions({dataRoot, com1, com2});
    parser.process(app);
    return {parser.value(dataRoot), parser.value(com1), parser.value(com2)};
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // QApplication sets the locale from the environment; number texts need '.'.
    std::setlocale(LC_NUMERIC, "C");

    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("SimSun")});
    font.setPixelSize(14);
    QApplication::setFont(font);

    CMainApp instrument(ParseOptions(app));
    return instrument.Run();
}
