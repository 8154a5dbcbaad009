#include <QApplication>

#include "app/CVessaApp.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    CVessaApp theApp;
    return theApp.InitInstance() ? app.exec() : 0;
}
