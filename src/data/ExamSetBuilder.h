#pragma once

#include <QSet>

#include "ItemState.h"
#include "RandomDraw.h"
#include "Table.h"

class BuildProgress;

// What a build leaves for the test window.
struct ExamSetBuild {
    int FirstItemNo = 0; // record number of the first item
    int ItemCount = 0;   // number of items
};

// Builds the working copy of an exam: the source items copied in random order into the current
// exam table, in one transaction, so that an interrupted build leaves the previous exam whole.
class ExamSetBuilder {
public:
    ExamSetBuilder(Table& currentSet, BuildProgress* progress = nullptr);

    RandomDraw& randomDraw() { return m_draw; }

    // Every bank record passing the bank's filter.
    ExamSetBuild BuildExamSet(Table& bank);
    // `count` bank records passing the filter, at most all of them.
    ExamSetBuild BuildRandomExamSet(Table& bank, int count);
    // Every record of the personal question table.
    ExamSetBuild BuildUserExamSet(Table& userSet);
    // The records of the bank (or, with `personal`, of the personal table) whose Q_ID is one of
    // `ids` and that the source shows, in random order; ids it does not hold are left out.
    ExamSetBuild BuildChosenExamSet(Table& source, bool personal, const QSet<qint64>& ids);

    // Sizes the answer state to the current exam and resets it; the table is left at its end.
    static void InitItemStates(Table& currentSet, ItemStates& states);

private:
    enum class Source { Bank, Personal };
    ExamSetBuild copyItems(Table& source, Source kind, const QVector<qint64>& order);
    QVector<Table::ColumnCopy> fieldCopies(Table& source, Source kind) const;

    Table& m_currentSet;
    BuildProgress* m_progress;
    RandomDraw m_draw;
};
