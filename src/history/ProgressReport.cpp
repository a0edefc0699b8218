#include "ProgressReport.h"

#include "ReportPainter.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

constexpr double PageWidth = 210;
constexpr double PageHeight = 296;
constexpr double Margin = 6.35;
constexpr double Left = 10;
constexpr double Width = PageWidth - 2 * Margin - 2 * Left;
constexpr double RowHeight = 5;

} // namespace

bool ProgressReport::print(QPagedPaintDevice& device, const Content& content, const QDate& date)
{
    setUpReportPage(device, PageWidth, PageHeight);
    QPainter painter(&device);
    if (!painter.isActive())
        return false;
    ReportPainter report(painter, device);
    const QFont heading = ReportPainter::font(QStringLiteral("Arial"), 14, true);
    const QFont bold = ReportPainter::font(QStringLiteral("Arial"), 9, true);
    const QFont plain = ReportPainter::font(QStringLiteral("Arial"), 9);

    report.text(Left, 6, Width, 7, QStringLiteral("Study Progress"), heading);
    report.text(Left, 7, Width, 5, QLocale().toString(date, QLocale::ShortFormat), plain,
                Qt::AlignRight);
    report.line(Left, 15, Width);

    double top = 18;
    report.frame(Left, top, Width, 70);
    BarChartRenderer::paint(painter, report.toDevice(Left + 1, top + 1, Width - 2, 68),
                            content.scores, report.unitsPerMillimetre(), 7);
    top += 74;
    report.frame(Left, top, Width, 62);
    BarChartRenderer::paint(painter, report.toDevice(Left + 1, top + 1, Width - 2, 60),
                            content.sections, report.unitsPerMillimetre(), 7);
    top += 68;

    // The attempts, newest first, as many as the page holds.
    const double columns[] = {0, 38, 118, 138, 156};
    const QStringList headers = {QStringLiteral("Date"), QStringLiteral("Exam"),
                                 QStringLiteral("Score"), QStringLiteral("Grade"),
                                 QStringLiteral("Time used")};
    for (int c = 0; c < headers.size(); ++c)
        report.text(Left + columns[c], top, 40, RowHeight, headers[c], bold);
    top += RowHeight;
    report.line(Left, top, Width, 0.5);
    top += 1;
    const double bottom = PageHeight - 2 * Margin - 8;
    for (const ProgressContent::Row& row : content.rows) {
        if (top + RowHeight > bottom)
            break;
        const QString cells[] = {row.date, row.exam, row.score, row.grade, row.timeUsed};
        for (int c = 0; c < 5; ++c) {
            const double width = (c + 1 < 5 ? columns[c + 1] : Width) - columns[c] - 2;
            // Long exam titles end in an ellipsis instead of running into the next column.
            const QString cell =
                QFontMetricsF(plain, &device)
                    .elidedText(cells[c], Qt::ElideRight, width * report.unitsPerMillimetre());
            report.text(Left + columns[c], top, width, RowHeight, cell, plain);
        }
        top += RowHeight;
    }
    return true;
}
