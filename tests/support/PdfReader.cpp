#include "PdfReader.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

QString PdfReader::text(const QString& pdf)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

int PdfReader::pages(const QString& pdf)
{
    static const QRegularExpression count(QStringLiteral("Pages:\\s+(\\d+)"));
    return count.match(run(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
}

QMap<QString, double> PdfReader::wordTops(const QString& pdf)
{
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"[^\"]+\" yMin=\"([^\"]+)\"[^>]*>([^<]*)</word>"));
    const QString html =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QMap<QString, double> tops;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (!tops.contains(match.captured(2)))
            tops.insert(match.captured(2), match.captured(1).toDouble());
    }
    return tops;
}
