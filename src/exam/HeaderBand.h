#pragma once

#include <QWidget>

// The test window's header: a shaded band with a line along its top edge. Its child labels
// are placed by the test window.
class HeaderBand : public QWidget {
    Q_OBJECT

public:
    explicit HeaderBand(QWidget* parent = nullptr);

signals:
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
