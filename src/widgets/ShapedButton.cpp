#include "ShapedButton.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>

ShapedButton::ShapedButton(QWidget* parent) : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

ShapedButton::ShapedButton(const QString& text, QWidget* parent) : ShapedButton(parent)
{
    setText(text);
}

void ShapedButton::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void ShapedButton::setRounding(int rounding)
{
    m_rounding = rounding;
    update();
}

QSize ShapedButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(text()) + 24, metrics.height() + 16);
}

void ShapedButton::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void ShapedButton::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void ShapedButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const bool down = isDown();
    const QColor base = !isEnabled() ? QColor(150, 150, 150)
                        : m_hovered  ? m_color.lighter(115)
                                     : m_color;
    const QRectF shape = QRectF(rect()).adjusted(0.5, 0.5, -1.5, -1.5);
    const qreal radius = m_rounding / 2.0;

    // The shading: light at the top edge fading into the button's colour, darker at the foot.
    QLinearGradient shading(shape.topLeft(), shape.bottomLeft());
    shading.setColorAt(0.0, down ? base.darker(130) : base.lighter(175));
    shading.setColorAt(0.45, base);
    shading.setColorAt(1.0, down ? base.lighter(140) : base.darker(150));

    painter.setPen(QPen(base.darker(200), 1));
    painter.setBrush(shading);
    painter.drawRoundedRect(shape, radius, radius);

    QRect textRect = rect();
    if (down)
        textRect.translate(1, 1);
    QPalette palette = this->palette();
    palette.setColor(QPalette::ButtonText, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::white);
    style()->drawItemText(&painter, textRect, Qt::AlignCenter | Qt::TextShowMnemonic, palette, true,
                          text(), QPalette::ButtonText);

    if (hasFocus()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(255, 255, 255, 200), 1, Qt::DotLine));
        const QRectF inner = shape.adjusted(4, 4, -4, -4);
        painter.drawRoundedRect(inner, radius / 2, radius / 2);
    }
}
