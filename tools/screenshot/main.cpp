// Saves a PNG of the whole X screen: pelagrix-screenshot <file.png>.
// Used by the run script to show what the program looks like on a machine
// without a display (under Xvfb).

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: pelagrix-screenshot <file.png>\n");
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "pelagrix-screenshot: no screen\n");
        return 1;
    }
    const QPixmap shot = screen->grabWindow(0);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "pelagrix-screenshot: cannot save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
