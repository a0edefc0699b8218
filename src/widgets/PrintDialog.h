#pragma once

#include <QList>
#include <QString>

class QPrinter;
class QWidget;

// The print dialog in front of every printout. Tests answer it without showing it: accepted
// (printing to a PDF file they name) or cancelled.
class PrintDialog {
public:
    // Returns whether the candidate chose to print; the printer then holds the choices.
    static bool exec(QPrinter& printer, QWidget* parent);

    // Tells the candidate that the chosen printer or file could not be opened, so nothing
    // was printed.
    static void reportFailure(const QPrinter& printer, QWidget* parent);

    struct Answer {
        bool accept = false;
        QString pdfFile; // where an accepted printout goes
    };
    static void setNextAnswers(const QList<Answer>& answers);
    static int timesShown();
    static void resetTestMode();
};
