#pragma once

#include <QString>

// Field names of the question tables. Field access matches them without regard to case.
namespace Field {
inline const QString QId = QStringLiteral("Q_ID");
inline const QString QExamN = QStringLiteral("Q_EXAM_N");
inline const QString QSect = QStringLiteral("Q_SECT");
inline const QString QText = QStringLiteral("Q_TEXT");
inline const QString QExpl = QStringLiteral("Q_EXPL");
inline const QString QType = QStringLiteral("Q_TYPE");
inline const QString QSim = QStringLiteral("Q_SIM");
inline const QString Pict1 = QStringLiteral("PICT1");
inline const QString Pict2 = QStringLiteral("PICT2");
inline const QString QOrNumber = QStringLiteral("Q_OR_NUMBER");
inline const QString UMemo = QStringLiteral("U_MEMO");

// Choice text i (1 to 6): Q1 ... Q6.
QString choice(int i);
// Answer key i (1 to 6): A1 ... A6.
QString key(int i);
} // namespace Field
