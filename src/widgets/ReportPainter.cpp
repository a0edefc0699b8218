#include "ReportPainter.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextOption>

ReportPainter::ReportPainter(QPainter& painter, const QPagedPaintDevice& device)
    : m_painter(painter), m_mm(device.logicalDpiY() / 25.4)
{
}

QRectF ReportPainter::toDevice(double left, double top, double width, double height) const
{
    return QRectF(left * m_mm, (m_bandTop + top) * m_mm, width * m_mm, height * m_mm);
}

QFont ReportPainter::font(const QString& family, double points, bool bold, bool italic)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void ReportPainter::text(double left, double top, double width, double height, const QString& text,
                         const QFont& font, Qt::Alignment alignment, const QColor& color,
                         const QColor& background)
{
    m_painter.save();
    m_painter.setFont(font);
    const QRectF box = toDevice(left, top, width, height);
    const int flags = int(alignment | Qt::AlignTop) | Qt::TextDontClip;
    if (background.isValid()) // an opaque label hides the lines behind it
        m_painter.fillRect(m_painter.boundingRect(box, flags, text), background);
    m_painter.setPen(color);
    m_painter.drawText(box, flags, text);
    m_painter.restore();
}

double ReportPainter::memo(double left, double top, double width, const QString& text,
                           const QFont& font)
{
    m_painter.save();
    m_painter.setFont(font);
    m_painter.setPen(Qt::black);
    const QRectF box = toDevice(left, top, width, 10000);
    const QRectF used = m_painter.boundingRect(box, Qt::TextWordWrap | Qt::AlignLeft, text);
    m_painter.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    m_painter.restore();
    return used.height() / m_mm;
}

void ReportPainter::line(double left, double top, double width, double points)
{
    m_painter.save();
    m_painter.setPen(QPen(Qt::black, points / 72.0 * 25.4 * m_mm));
    const QRectF box = toDevice(left, top, width, 0);
    m_painter.drawLine(box.topLeft(), box.topRight());
    m_painter.restore();
}

void ReportPainter::frame(double left, double top, double width, double height)
{
    m_painter.save();
    m_painter.setPen(QPen(Qt::black, 0.75 / 72.0 * 25.4 * m_mm));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(toDevice(left, top, width, height));
    m_painter.restore();
}

void setUpReportPage(QPagedPaintDevice& device, double widthMm, double heightMm)
{
    const QPageSize size(QSizeF(widthMm, heightMm), QPageSize::Millimeter, QStringLiteral("A4"),
                         QPageSize::ExactMatch);
    device.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(6.35, 6.35, 6.35, 6.35),
                                     QPageLayout::Millimeter));
}
