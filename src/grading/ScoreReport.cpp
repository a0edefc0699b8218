#include "ScoreReport.h"

#include "ReportPainter.h"

#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

constexpr double Margin = 6.35;
constexpr double FooterHeight = 25.665;
const QString Notice = QStringLiteral("Practice results from Tessaly 4; not an official score.");

} // namespace

bool ScoreReport::print(QPagedPaintDevice& device, const ScoreReportContent& content,
                        const QDate& date)
{
    setUpReportPage(device, PageWidth, PageHeight);
    QPainter painter(&device);
    if (!painter.isActive())
        return false; // the printer or file could not be opened
    ReportPainter report(painter, device);
    const QColor navy(0, 0, 128);

    // Header band.
    report.setBandTop(0);
    report.line(27.252, 13.229, 155.046);
    report.frame(14.552, 7.144, 29.104, 9.790);
    report.text(15.346, 8.996, 27.517, 6.350, QStringLiteral(" Examora "),
                ReportPainter::font(QStringLiteral("Arial"), 16, true, true), Qt::AlignLeft, navy,
                Qt::white);
    report.text(114.300, 7.673, 67.998, 4.763, content.titleLine,
                ReportPainter::font(QStringLiteral("Arial"), 11, true), Qt::AlignRight);
    report.text(163.195, 13.970, 19.473, 4.022, QLocale().toString(date, QLocale::ShortFormat),
                ReportPainter::font(QStringLiteral("Arial"), 10), Qt::AlignRight);
    report.text(76.465, 22.225, 48.948, 4.763, QStringLiteral("Examination Score Report"),
                ReportPainter::font(QStringLiteral("Arial"), 11, true), Qt::AlignHCenter);
    report.frame(15.081, 33.338, 167.482, 34.131);
    BarChartModel total = content.total;
    total.title.clear(); // the printed charts carry no title
    BarChartRenderer::paint(painter, report.toDevice(16.404, 34.925, 165.365, 31.221), total,
                            report.unitsPerMillimetre(), 8);
    report.text(51.329, 68.527, 96.309, 4.763, content.scoreLine,
                ReportPainter::font(QStringLiteral("Arial"), 11, true), Qt::AlignHCenter);
    report.line(15.081, 90.223, 167.482);
    report.text(16.933, 88.106, 16.404, 4.233, QStringLiteral(" Sections "),
                ReportPainter::font(QStringLiteral("Arial"), 10, true), Qt::AlignRight, Qt::black,
                Qt::white);
    BarChartModel sections = content.sections;
    sections.title.clear();
    BarChartRenderer::paint(painter, report.toDevice(10.054, 92.604, 177.800, 45.508), sections,
                            report.unitsPerMillimetre(), 7);

    // Footer band, at the foot of the printable area.
    report.setBandTop(PageHeight - 2 * Margin - FooterHeight);
    report.line(10.054, 1.852, 172.509);
    report.text(10.054, 2.381, 60, 3.5, content.footerLabel,
                ReportPainter::font(QStringLiteral("Arial"), 9));
    report.text(10.054 + 172.509 - 110, 2.381, 110, 3.5, Notice,
                ReportPainter::font(QStringLiteral("Arial"), 9), Qt::AlignRight);
    return true;
}
