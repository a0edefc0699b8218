#include "Look.h"

#include <QLabel>
#include <QPalette>
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

} // namespace Look
