#include "Look.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QSvgRenderer>
#include <QWidget>

namespace Look {

QFont pixelFont(const QString& family, int pixels, bool bold, bool italic)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void makeWhite(QWidget* widget, bool autoFill)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::white);
    widget->setPalette(palette);
    if (autoFill)
        widget->setAutoFillBackground(true);
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

QLabel* plainLabel(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QIcon svgIcon(const QString& file, const QSize& size)
{
    QSvgRenderer renderer(file);
    if (!renderer.isValid())
        return {};
    QList<qreal> ratios = {1, 2};
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (!ratios.contains(screen->devicePixelRatio()))
            ratios.append(screen->devicePixelRatio());
    }
    QIcon icon;
    for (qreal ratio : ratios) {
        QPixmap pixmap(size * ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixmap.size())));
        painter.end();
        pixmap.setDevicePixelRatio(ratio);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace Look
