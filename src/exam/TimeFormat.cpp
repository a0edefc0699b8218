#include "TimeFormat.h"

#include <QRegularExpression>

#include <cmath>

qint64 TimeFormat::seconds(double days)
{
    return qint64(std::llround(days * SecondsPerDay));
}

QString TimeFormat::format(double days)
{
    const qint64 total = std::max<qint64>(0, seconds(days));
    return QStringLiteral("%1:%2:%3")
        .arg(total / 3600)
        .arg(total / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(total % 60, 2, 10, QLatin1Char('0'));
}

double TimeFormat::parse(const QString& text)
{
    static const QRegularExpression form(QStringLiteral(R"(^\s*(\d+):(\d{2}):(\d{2})\s*$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return 0;
    const qint64 total = match.captured(1).toLongLong() * 3600 +
                         match.captured(2).toLongLong() * 60 + match.captured(3).toLongLong();
    return total / SecondsPerDay;
}
