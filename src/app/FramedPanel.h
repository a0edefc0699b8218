#pragma once

#include <QWidget>

// The start window's panel under the logo: a blue outline inside a 4-pixel border.
class FramedPanel : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};
