#include "Grading.h"

#include "ScoreArithmetic.h"

using namespace ScoreArithmetic;

void Grading::fillTotal(ScoreReportContent& content, const ItemStates& states,
                        const QString& candidate, const QString& examTitle)
{
    const TotalScore total = totalScore(states);
    content.total = BarChartModel();
    content.total.minimum = 0;
    content.total.maximum = ScoreScale;
    content.total.step = 100;
    content.total.barWidth = 0.9;
    content.total.points = {
        {total.score, QStringLiteral("Your score"), QColor(0, 128, 0)},
        {double(PassingScore), QStringLiteral("Required score"), QColor(0, 0, 255)}};
    content.titleLine = candidate + QStringLiteral(",  Tessaly 4,  ") + examTitle;
    content.total.title = content.titleLine;
    content.footerLabel = QStringLiteral("Tessaly 4");
    if (total.items == 0) {
        content.scoreLine = QStringLiteral("Passing Score: %1   This exam has no items, so it has "
                                           "no score.")
                                .arg(PassingScore);
        return;
    }
    content.scoreLine = QStringLiteral("Passing Score: %1   Your Score: %2   Grade: %3")
                            .arg(PassingScore)
                            .arg(roundHalfEven(total.score))
                            .arg(total.passed ? QStringLiteral("Pass") : QStringLiteral("Fail"));
}

void Grading::fillSections(ScoreReportContent& content, const ItemStates& states)
{
    content.sections = BarChartModel();
    content.sections.title = QStringLiteral(" Sections ");
    content.sections.titleFramed = true;
    content.sections.titleAlignment = Qt::AlignLeft;
    content.sections.minimum = 0;
    content.sections.maximum = 100;
    content.sections.step = 10;
    content.sections.barWidth = 0.8;
    for (const SectionResult& result : sectionResults(states)) {
        content.sections.points.append(
            {double(result.percent), sectionLabel(result), QColor(255, 0, 0)});
    }
}
