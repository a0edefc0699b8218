#pragma once

#include "BarChart.h"

#include <QDate>
#include <QString>

class QPagedPaintDevice;

// What one grading puts on the score window and its printed page.
struct ScoreReportContent {
    QString titleLine; // name, program and exam
    QString scoreLine; // passing score, score and grade
    QString footerLabel;
    BarChartModel total;
    BarChartModel sections;
};

// The printed score report: one A4 page laid out in millimetres.
namespace ScoreReport {

constexpr double PageWidth = 210;
constexpr double PageHeight = 296;

// Sets the page up and paints the report on it.
// Returns false, printing nothing, when the device cannot be opened.
bool print(QPagedPaintDevice& device, const ScoreReportContent& content, const QDate& date);

} // namespace ScoreReport
