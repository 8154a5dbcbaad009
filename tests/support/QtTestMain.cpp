// GoogleTest main for every test binary: one QApplication for the whole run,
// under the organisation and application names the program uses.

#include <QApplication>

#include <clocale>

#include <gtest/gtest.h>

#include "support/MainWindowFixture.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setOrganizationName("Halvorn");
    QCoreApplication::setApplicationName("Vessa");
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    ReleaseStartedMainWindow();
    return result;
}
