#include <QApplication>

#include <gtest/gtest.h>

#include <clocale>

// Widgets need a QApplication; the offscreen platform needs no display.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // QApplication takes the locale from the environment; number texts need '.'.
    std::setlocale(LC_NUMERIC, "C");
    return RUN_ALL_TESTS();
}
