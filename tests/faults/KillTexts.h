#pragma once

#include <QString>

// Texts that prove themselves whole: long, and made from the record and round they were
// written for, so that a half-written text cannot pass for one.
namespace KillTexts {

inline QString text(qint64 record, qint64 round)
{
    return QStringLiteral("[%1:%2]").arg(record).arg(round).repeated(300);
}

// Whether `value` is empty or exactly a text written for `record` in some round.
inline bool isWhole(const QString& value, qint64 record)
{
    if (value.isEmpty())
        return true;
    const int end = value.indexOf(QLatin1Char(']'));
    if (!value.startsWith(QLatin1Char('[')) || end < 0)
        return false;
    const QStringList parts = value.mid(1, end - 1).split(QLatin1Char(':'));
    if (parts.size() != 2 || parts[0].toLongLong() != record)
        return false;
    return value == text(record, parts[1].toLongLong());
}

} // namespace KillTexts
