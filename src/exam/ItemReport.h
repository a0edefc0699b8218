#pragma once

#include <QString>
#include <QStringList>

#include <array>

class QPagedPaintDevice;

// The printed item: one A4 page with the exam line, the item number, the question, the
// choices and the explanation. Neither the key nor the candidate's answer is printed.
namespace ItemReport {

constexpr double PageWidth = 209.815;
constexpr double PageHeight = 296.335;

struct Content {
    QString examLine; // "Tessaly 4, " and the exam title
    QString itemLine; // "Item Number: " and the item's number in the exam
    QString question;
    std::array<QString, 6> choices;
    QString explanation;
};

Content make(const QString& examTitle, int itemNumber, const QString& question,
             const std::array<QString, 6>& choices, const QString& explanation);

// The lines under the question: a. and b. always, c. to f. when they have text, each followed
// by an empty line (also for a missing one), one more empty line, then the explanation.
QStringList choiceLines(const std::array<QString, 6>& choices, const QString& explanation);

// Returns false, printing nothing, when the device cannot be opened.
bool print(QPagedPaintDevice& device, const Content& content);

} // namespace ItemReport
