#include "FramedPanel.h"

#include <QPainter>

void FramedPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(QColor(0, 0, 255), 1));
    painter.drawRect(rect().adjusted(4, 4, -5, -5));
}
