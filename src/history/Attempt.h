#pragma once

#include <QDateTime>
#include <QString>
#include <QVector>

// One item of a graded exam as the study history keeps it: where it stood, which question it
// was (by its Item ID), and how it was answered. No question text is kept.
struct AttemptItem {
    int position = 0;  // 1-based item number in the exam
    qint64 itemId = 0; // Q_OR_NUMBER
    int section = 0;
    QString selected; // the letters, as the items review shows them: "AC"
    bool marked = false;
    bool correct = false;
    bool learned = false; // Learn Now was pressed on the item
};

// One graded exam.
struct Attempt {
    enum class Source { Bank, User };

    qint64 id = 0; // given by the history when recorded
    QDateTime finishedAt;
    QString examTitle;
    QString candidate;
    Source source = Source::Bank;
    int itemCount = 0;
    int correct = 0;
    double score = 0; // unrounded, 0 to 1000
    bool passed = false;
    int timeLimitMinutes = 0;
    int elapsedSeconds = 0;
    bool timerOn = true;
    QVector<AttemptItem> items; // filled when read with its items

    static QString sourceName(Source source);
};
