#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPagedPaintDevice;
class QPainter;

// Draws report elements placed in millimetres from a band's top left corner, on any paged
// device: a printer or a PDF file.
class ReportPainter {
public:
    ReportPainter(QPainter& painter, const QPagedPaintDevice& device);

    QPainter& painter() { return m_painter; }
    double unitsPerMillimetre() const { return m_mm; }

    // The band whose top lies `top` millimetres below the printable area's top.
    void setBandTop(double top) { m_bandTop = top; }

    QRectF toDevice(double left, double top, double width, double height) const;

    static QFont font(const QString& family, double points, bool bold = false, bool italic = false);
    // Text in a box; it may run past the box as the alignment says, as report labels grow.
    void text(double left, double top, double width, double height, const QString& text,
              const QFont& font, Qt::Alignment alignment = Qt::AlignLeft,
              const QColor& color = Qt::black, const QColor& background = QColor());
    // Word-wrapped text that grows downwards; returns its height in millimetres.
    double memo(double left, double top, double width, const QString& text, const QFont& font);
    // A horizontal line along the top of its box.
    void line(double left, double top, double width, double points = 0.75);
    void frame(double left, double top, double width, double height);

private:
    QPainter& m_painter;
    double m_mm;
    double m_bandTop = 0;
};

// The page of a report: A4 as the program's reports give it, with 6.35 mm margins.
void setUpReportPage(QPagedPaintDevice& device, double widthMm, double heightMm);
