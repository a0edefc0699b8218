#pragma once

#include "ScoreReport.h"

#include <QDialog>

#include <memory>

class QPrinter;

namespace Ui {
class TScoreForm;
}

// The score window: the total score against the passing score, the score line and the seven
// sections, with View Answers, Print Report and Exit Exam. It keeps the last grading's
// results until the next one.
class TScoreForm : public QDialog {
    Q_OBJECT

public:
    explicit TScoreForm(QWidget* parent = nullptr);
    ~TScoreForm() override;

    // Replaces the results shown and printed.
    void setResults(const ScoreReportContent& content);
    const ScoreReportContent& results() const { return m_content; }

    void BitBtn1Click(); // View Answers
    void BitBtn2Click(); // Print Report
    void BitBtn3Click(); // Exit Exam

signals:
    void viewAnswersRequested();
    void exitExamRequested();

protected:
    // The window has no close button: the exam goes on only through its three buttons.
    void reject() override;

private:
    ScoreReportContent m_content;
    Ui::TScoreForm* ui;
    std::unique_ptr<QPrinter> m_printer; // keeps the print dialog's choices for the next time
};
