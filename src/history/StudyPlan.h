#pragma once

#include "Attempt.h"
#include "HistoryStore.h"

#include <QSet>
#include <QVector>

#include <array>
#include <optional>

// What the Study menu's practice draws from the history: plain arithmetic on recorded attempts,
// so that it can be checked without tables or windows.
namespace StudyPlan {

// The Item IDs of the attempt's items that were not answered correctly.
QSet<qint64> missedItems(const Attempt& attempt);
// The Item IDs of the attempt's marked items.
QSet<qint64> markedItems(const Attempt& attempt);
// The section (1 to 7) with the lowest percent correct; a tie goes to the lower number, and
// sections without recorded items take no part. Nothing when no section has items.
std::optional<int> weakestSection(const std::array<HistoryStore::SectionTally, 7>& tallies);
// The bank items among `bankItems` that were never answered correctly.
QSet<qint64> neverCorrect(const QVector<qint64>& bankItems, const QSet<qint64>& everCorrect);

} // namespace StudyPlan
