#pragma once

#include "ItemState.h"

#include <QString>
#include <QVector>

// The arithmetic of grading, kept apart from the score window so that it can be checked alone.
namespace ScoreArithmetic {

constexpr int ScoreScale = 1000;
constexpr int PassingScore = 850;

// A real value shown as an integer: the nearest one, a half going to the even neighbour.
int roundHalfEven(double value);

struct TotalScore {
    int correct = 0;
    int items = 0;
    double score = 0; // unrounded; 0 for an exam without items
    bool passed = false;
};
TotalScore totalScore(const ItemStates& states);

struct SectionResult {
    int section = 0; // 1 to 7
    int items = 0;
    int correct = 0;
    int percent = 0;
};
// The seven sections in the order the chart adds them: section 7 first, section 1 last. An item
// whose section lies outside 1 to 7 counts in no section.
QVector<SectionResult> sectionResults(const ItemStates& states);

// "Planning (3/5) " : the title, the counts, and a closing blank.
QString sectionLabel(const SectionResult& result);

} // namespace ScoreArithmetic
