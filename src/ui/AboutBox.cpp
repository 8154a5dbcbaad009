#include "ui/AboutBox.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "platform/DialogUnits.h"

namespace {
void Place(QWidget* w, int x, int y, int width, int height)
{
    const PixelRect r = DialogRectToPixels(x, y, width, height);
    w->setGeometry(r.x, r.y, r.width, r.height);
}
}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("About Pelagrix Control Program");
    const PixelRect size = DialogRectToPixels(0, 0, 203, 70);
    setFixedSize(size.width, size.height);

    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(30, 30));
    Place(icon, 14, 14, 20, 20);
    auto* name = new QLabel("Pelagrix  Version 2.0.0", this);
    Place(name, 42, 14, 154, 8);
    auto* what = new QLabel("Echosounder and  Precision Altimeter", this);
    Place(what, 41, 23, 154, 8);
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    Place(ok, 146, 49, 50, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
