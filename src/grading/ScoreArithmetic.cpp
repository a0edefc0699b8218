#include "ScoreArithmetic.h"

#include "SectionTitles.h"

#include <cmath>

int ScoreArithmetic::roundHalfEven(double value)
{
    return int(std::nearbyint(value));
}

ScoreArithmetic::TotalScore ScoreArithmetic::totalScore(const ItemStates& states)
{
    TotalScore total;
    total.items = int(states.size());
    for (const ItemState& state : states)
        total.correct += state.Correct == 1 ? 1 : 0;
    if (total.items > 0)
        total.score = double(ScoreScale) * total.correct / total.items;
    // Compare exact fractions: 51 of 60 is exactly the passing score.
    total.passed =
        total.items > 0 && qint64(total.correct) * ScoreScale >= qint64(PassingScore) * total.items;
    return total;
}

QVector<ScoreArithmetic::SectionResult> ScoreArithmetic::sectionResults(const ItemStates& states)
{
    QVector<SectionResult> tally(SectionTitles::Count);
    for (int i = 0; i < SectionTitles::Count; ++i)
        tally[i].section = i + 1;
    for (const ItemState& state : states) {
        if (!SectionTitles::isValid(state.Section))
            continue;
        SectionResult& entry = tally[state.Section - 1];
        ++entry.items;
        if (state.Correct == 1)
            ++entry.correct;
    }
    // Multiplying before dividing keeps an exact half exact (23 of 40 is 57.5, not
    // 57.49999...), so that it rounds to the even neighbour as every shown half does.
    QVector<SectionResult> ordered;
    for (int i = SectionTitles::Count - 1; i >= 0; --i) {
        SectionResult entry = tally[i];
        entry.percent = (entry.items == 0 || entry.correct == 0)
                            ? 0
                            : roundHalfEven(double(entry.correct) * 100 / entry.items);
        ordered.append(entry);
    }
    return ordered;
}

QString ScoreArithmetic::sectionLabel(const SectionResult& result)
{
    return QStringLiteral("%1 (%2/%3) ")
        .arg(SectionTitles::title(result.section))
        .arg(result.correct)
        .arg(result.items);
}
