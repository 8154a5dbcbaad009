#include <QApplication>

#include <clocale>

#include "app/CVessaApp.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Qt takes the operator's locale; numbers in commands, logs and readouts
    // always use a full stop.
    std::setlocale(LC_NUMERIC, "C");
    CVessaApp theApp;
    return theApp.InitInstance() ? app.exec() : 0;
}
