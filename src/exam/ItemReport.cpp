#include "ItemReport.h"

#include "ReportPainter.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace {

constexpr double Margin = 6.35;
constexpr double TitleBandHeight = 35.719;
constexpr double FooterHeight = 32.015;
const QString Notice = QStringLiteral("Printed from Tessaly 4 practice exams");

} // namespace

ItemReport::Content ItemReport::make(const QString& examTitle, int itemNumber,
                                     const QString& question, const std::array<QString, 6>& choices,
                                     const QString& explanation)
{
    Content content;
    content.examLine = QStringLiteral("Tessaly 4, ") + examTitle;
    content.itemLine = QStringLiteral("Item Number: ") + QString::number(itemNumber);
    content.question = question;
    content.choices = choices;
    content.explanation = explanation;
    return content;
}

QStringList ItemReport::choiceLines(const std::array<QString, 6>& choices,
                                    const QString& explanation)
{
    QStringList lines;
    const QString letters = QStringLiteral("abcdef");
    for (int i = 0; i < 6; ++i) {
        const QString& text = choices[std::size_t(i)];
        if (i < 2 || !text.isEmpty())
            lines.append(QStringLiteral("%1.  %2").arg(letters[i]).arg(text));
        lines.append(QString());
    }
    lines.append(QString());
    lines.append(explanation);
    return lines;
}

bool ItemReport::print(QPagedPaintDevice& device, const Content& content)
{
    setUpReportPage(device, PageWidth, PageHeight);
    QPainter painter(&device);
    if (!painter.isActive())
        return false; // the printer or file could not be opened
    ReportPainter report(painter, device);
    const QFont arial10 = ReportPainter::font(QStringLiteral("Arial"), 10);
    const double printable = PageHeight - 2 * Margin;
    const double footerTop = printable - FooterHeight;

    // Text that does not fit above the footer is not printed.
    painter.setClipRect(report.toDevice(0, 0, PageWidth, footerTop));

    // Title band: it grows with the question.
    report.setBandTop(0);
    report.line(28.046, 19.315, 152.929);
    report.frame(10.054, 12.965, 30.692, 8.731);
    report.text(11.906, 14.023, 27.517, 6.350, QStringLiteral(" Examora "),
                ReportPainter::font(QStringLiteral("Arial"), 16, true, true), Qt::AlignLeft,
                QColor(0, 0, 128), Qt::white);
    report.text(135.467, 14.023, 45.508, 5.027, content.examLine,
                ReportPainter::font(QStringLiteral("Arial"), 12, true), Qt::AlignRight);
    report.text(150.548, 19.844, 30.427, 4.233, content.itemLine,
                ReportPainter::font(QStringLiteral("Arial"), 10, true), Qt::AlignRight);
    const double questionHeight = report.memo(12.700, 29.104, 168.275, content.question, arial10);
    const double titleBand = TitleBandHeight + std::max(0.0, questionHeight - 5.027);

    // Header band: the choices and the explanation.
    report.setBandTop(titleBand);
    report.line(12.700, 1.323, 168.275);
    report.memo(12.700, 4.233, 168.275,
                choiceLines(content.choices, content.explanation).join(QLatin1Char('\n')), arial10);

    // Footer band at the foot of the page.
    painter.setClipping(false);
    report.setBandTop(footerTop);
    report.line(10.054, 1.323, 169.863);
    report.text(10.054, 1.852, 60, 4.233, QStringLiteral("Tessaly 4"), arial10);
    report.text(123.031, 1.852, 56.886, 4.233, Notice, arial10, Qt::AlignLeft);
    return true;
}
