#include "ProgressContent.h"

#include "ScoreArithmetic.h"
#include "SectionTitles.h"

#include <QLocale>

namespace ProgressContent {

namespace {

QString dateOf(const Attempt& attempt)
{
    return QLocale().toString(attempt.finishedAt, QLocale::ShortFormat);
}

} // namespace

QString timeUsed(int seconds)
{
    seconds = std::max(0, seconds);
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QVector<Row> rows(const QVector<Attempt>& attempts)
{
    QVector<Row> list;
    list.reserve(attempts.size());
    for (const Attempt& attempt : attempts) {
        Row row;
        row.date = dateOf(attempt);
        row.exam = attempt.examTitle;
        row.score = attempt.itemCount > 0
                        ? QString::number(ScoreArithmetic::roundHalfEven(attempt.score))
                        : QStringLiteral("-");
        row.grade = attempt.passed ? QStringLiteral("Pass") : QStringLiteral("Fail");
        row.timeUsed = timeUsed(attempt.elapsedSeconds);
        list.append(row);
    }
    return list;
}

BarChartModel scoreChart(const QVector<Attempt>& newestFirst)
{
    BarChartModel chart;
    const int shown = std::min<int>(ChartedAttempts, newestFirst.size());
    chart.title = QStringLiteral("Scores of the last %1 attempts (passing score %2)")
                      .arg(shown)
                      .arg(ScoreArithmetic::PassingScore);
    chart.minimum = 0;
    chart.maximum = ScoreArithmetic::ScoreScale;
    chart.step = 100;
    chart.referenceValue = ScoreArithmetic::PassingScore;
    // The first point is the bottom bar: the oldest shown goes first.
    for (int i = shown - 1; i >= 0; --i) {
        const Attempt& attempt = newestFirst[i];
        chart.points.append({attempt.score,
                             QStringLiteral("%1 %2").arg(dateOf(attempt), attempt.examTitle),
                             attempt.passed ? QColor(0, 128, 0) : QColor(192, 64, 0)});
    }
    return chart;
}

BarChartModel sectionChart(const std::array<HistoryStore::SectionTally, 7>& tallies,
                           bool allAttempts)
{
    BarChartModel chart;
    chart.title =
        allAttempts
            ? QStringLiteral("Percent correct by section, all attempts")
            : QStringLiteral("Percent correct by section, last %1 attempts").arg(RecentAttempts);
    chart.minimum = 0;
    chart.maximum = 100;
    chart.step = 10;
    for (int section = SectionTitles::Count; section >= 1; --section) {
        const HistoryStore::SectionTally& tally = tallies[std::size_t(section - 1)];
        ScoreArithmetic::SectionResult result;
        result.section = section;
        result.items = tally.items;
        result.correct = tally.correct;
        result.percent =
            (tally.items == 0 || tally.correct == 0)
                ? 0
                : ScoreArithmetic::roundHalfEven(double(tally.correct) * 100 / tally.items);
        chart.points.append(
            {double(result.percent), ScoreArithmetic::sectionLabel(result), QColor(0, 0, 160)});
    }
    return chart;
}

} // namespace ProgressContent
