#pragma once

#include "ItemState.h"

#include <QIcon>
#include <QString>
#include <QVector>

// The items review list, computed from the answer state.
namespace ReviewList {

enum Icon { Incomplete = 0, Complete = 1, MarkedIcon = 2, Incorrect = 3 };

struct Entry {
    QString caption; // "3  AC": the item number, two blanks, the selected letters
    Icon icon;
};

// During the exam: answered or not, and marks; after grading: correct or not.
QVector<Entry> entries(const ItemStates& states, bool afterGrading);

// The four 16 by 16 icons: a white square with a black frame and a grey shadow, holding a red
// exclamation mark, a blue check mark, a red M or a red X.
QIcon icon(Icon which);

} // namespace ReviewList
