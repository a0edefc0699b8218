#pragma once

#include <QString>

// Exam times are fractions of a day (one second is 1/86400). They are shown and read back as
// h:mm:ss, whole seconds, so that a time written as text reads back to the same second.
namespace TimeFormat {

constexpr double SecondsPerDay = 86400.0;

QString format(double days);
// The time a text shows, in days; 0 for a text that is not h:mm:ss.
double parse(const QString& text);
// Whole seconds of a time, rounded to the nearest second.
qint64 seconds(double days);

} // namespace TimeFormat
