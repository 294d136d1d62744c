#include <QApplication>
#include <gtest/gtest.h>

// Every test executable runs with a QApplication so that window tests can create widgets
// (offscreen, set by ctest) and core tests can use Qt's event loop and SQL drivers.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", KALVUNER_OFFSCREEN_PLATFORM);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
