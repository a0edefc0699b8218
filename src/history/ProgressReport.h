#pragma once

#include "BarChart.h"
#include "ProgressContent.h"

#include <QDate>
#include <QVector>

class QPagedPaintDevice;

// The printed progress page: both charts and the newest attempts, on one A4 page.
namespace ProgressReport {

struct Content {
    BarChartModel scores;
    BarChartModel sections;
    QVector<ProgressContent::Row> rows; // newest first; what does not fit is left off
};

// Returns false, printing nothing, when the device cannot be opened.
bool print(QPagedPaintDevice& device, const Content& content, const QDate& date);

} // namespace ProgressReport
