#include "BarChart.h"

#include "Look.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QTextOption>

#include <cmath>

namespace {

// Points are device-independent: the painter's device decides how many units they take, so
// the same size reads the same on screen and on paper.
QFont chartFont(double points)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    return font;
}

QString axisNumber(double value)
{
    return QString::number(value, 'g', 6);
}

} // namespace

void BarChartRenderer::paint(QPainter& painter, const QRectF& bounds, const BarChartModel& model,
                             double mm, double fontPoints)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFont font = chartFont(fontPoints);
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double gap = 1.5 * mm;

    QRectF area = bounds.adjusted(gap, gap, -gap, -gap);

    // Title.
    if (!model.title.isEmpty()) {
        const double titleHeight = metrics.height() + (model.titleFramed ? gap : 0);
        QRectF titleRect(area.left(), area.top(), area.width(), titleHeight);
        QRectF textRect = titleRect;
        if (model.titleFramed) {
            const double width = metrics.horizontalAdvance(model.title) + 2 * gap;
            textRect = QRectF(model.titleAlignment & Qt::AlignLeft ? area.left()
                                                                   : area.center().x() - width / 2,
                              area.top(), width, titleHeight);
            painter.setPen(QPen(Qt::black, 0.2 * mm));
            painter.drawRect(textRect);
        }
        painter.setPen(Qt::black);
        painter.drawText(textRect,
                         Qt::AlignVCenter |
                             (model.titleFramed ? Qt::AlignHCenter : model.titleAlignment),
                         model.title);
        area.setTop(titleRect.bottom() + gap);
    }

    // Left axis labels take what their words need, up to two fifths of the width.
    double labelWidth = 0;
    for (const BarChartModel::Point& point : model.points) {
        for (const QString& word : point.label.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            labelWidth = std::max(labelWidth, metrics.horizontalAdvance(word));
        labelWidth = std::max(labelWidth,
                              std::min(metrics.horizontalAdvance(point.label), area.width() * 0.4));
    }
    labelWidth = std::min(labelWidth + gap, area.width() * 0.45);

    const double axisHeight = metrics.height() + gap;
    // Room on the right for half of the last axis number, which is centred on its tick.
    const double rightRoom = metrics.horizontalAdvance(axisNumber(model.maximum)) / 2;
    QRectF plot(area.left() + labelWidth + gap, area.top(),
                area.width() - labelWidth - gap - rightRoom, area.height() - axisHeight);
    if (plot.width() <= 0 || plot.height() <= 0 || model.maximum <= model.minimum) {
        painter.restore();
        return;
    }
    auto xOf = [&](double value) {
        const double clamped = std::clamp(value, model.minimum, model.maximum);
        return plot.left() +
               (clamped - model.minimum) / (model.maximum - model.minimum) * plot.width();
    };

    // Grid and bottom axis.
    painter.setPen(QPen(QColor(200, 200, 200), 0.15 * mm));
    const int steps = int(std::floor((model.maximum - model.minimum) / model.step + 1e-9));
    for (int i = 0; i <= steps; ++i) {
        const double value = model.minimum + i * model.step;
        const double x = xOf(value);
        painter.setPen(QPen(QColor(200, 200, 200), 0.15 * mm));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(Qt::black);
        const QString text = axisNumber(value);
        const double width = metrics.horizontalAdvance(text);
        painter.drawText(
            QRectF(x - width / 2 - gap, plot.bottom() + gap / 2, width + 2 * gap, metrics.height()),
            Qt::AlignHCenter | Qt::AlignTop, text);
    }
    painter.setPen(QPen(Qt::black, 0.25 * mm));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.topLeft(), plot.bottomLeft());

    // Bars, the first point at the bottom.
    const int count = model.points.size();
    if (count > 0) {
        const double slot = plot.height() / count;
        QTextOption wrap(Qt::AlignRight | Qt::AlignVCenter);
        wrap.setWrapMode(QTextOption::WordWrap);
        for (int i = 0; i < count; ++i) {
            const BarChartModel::Point& point = model.points[i];
            const double slotTop = plot.bottom() - (i + 1) * slot;
            const double barHeight = slot * model.barWidth;
            const QRectF bar(plot.left(), slotTop + (slot - barHeight) / 2,
                             xOf(point.value) - plot.left(), barHeight);
            if (bar.width() > 0) {
                painter.setPen(QPen(point.color.darker(150), 0.15 * mm));
                painter.setBrush(point.color);
                painter.drawRect(bar);
            }
            painter.setPen(Qt::black);
            painter.setBrush(Qt::NoBrush);
            painter.drawText(QRectF(area.left(), slotTop, labelWidth, slot), point.label, wrap);
        }
    }
    if (!std::isnan(model.referenceValue)) {
        const double x = xOf(model.referenceValue);
        painter.setPen(QPen(model.referenceColor, 0.4 * mm, Qt::DashLine));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    painter.restore();
}

BarChartWidget::BarChartWidget(QWidget* parent) : QWidget(parent)
{
    Look::makeWhite(this);
}

void BarChartWidget::setModel(const BarChartModel& model)
{
    m_model = model;
    update();
}

void BarChartWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const double mm = logicalDpiX() / 25.4;
    BarChartRenderer::paint(painter, rect(), m_model, mm, 8);
}
