#include "ui/PaintHookWidget.h"

#include <QPainter>

void PaintHookWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_Painter)
        m_Painter(painter);
    else
        painter.fillRect(rect(), Qt::black);
}

void DropDownList::showPopup()
{
    if (m_OnPopup)
        m_OnPopup();
    QComboBox::showPopup();
}
