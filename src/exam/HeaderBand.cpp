#include "HeaderBand.h"

#include <QLinearGradient>
#include <QPainter>

HeaderBand::HeaderBand(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(45);
}

void HeaderBand::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient shade(0, 0, 0, height());
    shade.setColorAt(0.0, QColor(0x9d, 0xb4, 0xd6));
    shade.setColorAt(1.0, QColor(0x6f, 0x8f, 0xc0));
    painter.fillRect(rect(), shade);
    painter.setPen(QColor(0x3b, 0x55, 0x80));
    painter.drawLine(0, 0, width(), 0);
}

void HeaderBand::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit resized();
}
