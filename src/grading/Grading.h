#pragma once

#include "ItemState.h"
#include "ScoreReport.h"

// Turns the answer state into what the score window and the report show.
namespace Grading {

// The total chart, the title line and the score line.
void fillTotal(ScoreReportContent& content, const ItemStates& states, const QString& candidate,
               const QString& examTitle);
// The section chart: sections 7 down to 1, so that section 1 is the top bar.
void fillSections(ScoreReportContent& content, const ItemStates& states);

} // namespace Grading
