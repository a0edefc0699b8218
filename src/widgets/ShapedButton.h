#pragma once

#include <QAbstractButton>
#include <QColor>

// A rounded-rectangle button in a solid colour with a highlight shading derived from it and a
// centred white caption; an '&' in the caption marks its keyboard accelerator.
class ShapedButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)

public:
    explicit ShapedButton(QWidget* parent = nullptr);
    explicit ShapedButton(const QString& text, QWidget* parent = nullptr);

    void setColor(const QColor& color);
    QColor color() const { return m_color; }

    void setRounding(int rounding);
    int rounding() const { return m_rounding; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QColor m_color = QColor(0, 0, 128);
    int m_rounding = 15;
    bool m_hovered = false;
};
