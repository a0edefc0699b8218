#pragma once

#include <QColor>
#include <QString>
#include <QVector>
#include <QWidget>

#include <limits>

class QPainter;

// A horizontal bar chart: one series of points, each a value, a label on the left axis and a
// colour, over a bottom axis with a fixed range and step. The first point is the bottom bar.
struct BarChartModel {
    struct Point {
        double value = 0;
        QString label;
        QColor color;
    };

    QString title;
    bool titleFramed = false;
    Qt::Alignment titleAlignment = Qt::AlignHCenter;
    double minimum = 0;
    double maximum = 100;
    double step = 10;
    double barWidth = 0.8; // share of each bar's slot
    QVector<Point> points;
    // A value marked across every bar, such as the passing score; none when NaN.
    double referenceValue = std::numeric_limits<double>::quiet_NaN();
    QColor referenceColor = QColor(0, 0, 255);
};

// Draws a chart into a rectangle of any paint device. Sizes are given in device units per
// millimetre, so that the same drawing serves the screen and the printed page.
class BarChartRenderer {
public:
    // `unitsPerMillimetre`: device units in one millimetre; `fontPoints`: label font size.
    static void paint(QPainter& painter, const QRectF& bounds, const BarChartModel& model,
                      double unitsPerMillimetre, double fontPoints);
};

// The chart on screen.
class BarChartWidget : public QWidget {
    Q_OBJECT

public:
    explicit BarChartWidget(QWidget* parent = nullptr);

    void setModel(const BarChartModel& model);
    const BarChartModel& model() const { return m_model; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BarChartModel m_model;
};
