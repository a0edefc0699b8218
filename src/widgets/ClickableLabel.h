#pragma once

#include <QLabel>

// A label that reports a left click, as choice texts do.
class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    // The background colour, painted behind the text.
    void setBackground(const QColor& color);
    QColor background() const;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};
