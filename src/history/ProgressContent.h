#pragma once

#include "Attempt.h"
#include "BarChart.h"
#include "HistoryStore.h"

#include <QString>
#include <QVector>

#include <array>

// What the Progress window and its printed page show, made from the history alone.
namespace ProgressContent {

// Attempts the score chart shows, the newest ones.
constexpr int ChartedAttempts = 10;
// Attempts the section chart counts unless all are asked for.
constexpr int RecentAttempts = 5;

struct Row {
    QString date;
    QString exam;
    QString score; // rounded as the score window rounds it
    QString grade;
    QString timeUsed;
};
// One row per attempt, in the order given (newest first).
QVector<Row> rows(const QVector<Attempt>& attempts);

// The scores of the newest attempts, the newest at the top, with the passing score marked.
BarChartModel scoreChart(const QVector<Attempt>& newestFirst);
// Percent correct per section, section 1 at the top, as the score window shows sections.
BarChartModel sectionChart(const std::array<HistoryStore::SectionTally, 7>& tallies,
                           bool allAttempts);

// Seconds as hours, minutes and seconds: "1:02:03".
QString timeUsed(int seconds);

} // namespace ProgressContent
