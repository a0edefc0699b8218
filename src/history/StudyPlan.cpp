#include "StudyPlan.h"

namespace StudyPlan {

QSet<qint64> missedItems(const Attempt& attempt)
{
    QSet<qint64> ids;
    for (const AttemptItem& item : attempt.items) {
        if (!item.correct)
            ids.insert(item.itemId);
    }
    return ids;
}

QSet<qint64> markedItems(const Attempt& attempt)
{
    QSet<qint64> ids;
    for (const AttemptItem& item : attempt.items) {
        if (item.marked)
            ids.insert(item.itemId);
    }
    return ids;
}

std::optional<int> weakestSection(const std::array<HistoryStore::SectionTally, 7>& tallies)
{
    std::optional<int> weakest;
    for (int section = 1; section <= 7; ++section) {
        const HistoryStore::SectionTally& tally = tallies[std::size_t(section - 1)];
        if (tally.items <= 0)
            continue;
        if (!weakest) {
            weakest = section;
            continue;
        }
        // correct / items below the weakest so far, compared without rounding
        const HistoryStore::SectionTally& best = tallies[std::size_t(*weakest - 1)];
        if (qint64(tally.correct) * best.items < qint64(best.correct) * tally.items)
            weakest = section;
    }
    return weakest;
}

QSet<qint64> neverCorrect(const QVector<qint64>& bankItems, const QSet<qint64>& everCorrect)
{
    QSet<qint64> ids;
    for (qint64 id : bankItems) {
        if (!everCorrect.contains(id))
            ids.insert(id);
    }
    return ids;
}

} // namespace StudyPlan
