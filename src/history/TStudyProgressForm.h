#pragma once

#include "HistoryStore.h"

#include <QDialog>

#include <memory>

class QPrinter;
class TAttemptItemsForm;

namespace Ui {
class TStudyProgressForm;
}

// The candidate's progress: the scores of the newest attempts against the passing score, the
// sections' percent correct, and every attempt, with its items, printing, CSV export and
// deleting the history.
class TStudyProgressForm : public QDialog {
    Q_OBJECT

public:
    explicit TStudyProgressForm(QWidget* parent = nullptr);
    ~TStudyProgressForm() override;

    // Reads the history and shows it.
    void showHistory(const HistoryStore& history);

    void ItemsButtonClick();
    void PrintButtonClick();
    void ExportButtonClick();
    void DeleteButtonClick();

private:
    void refresh();

    Ui::TStudyProgressForm* ui;
    TAttemptItemsForm* m_items;
    std::optional<HistoryStore> m_history;
    QVector<Attempt> m_attempts;
    std::unique_ptr<QPrinter> m_printer; // keeps the print dialog's choices for the run
};
