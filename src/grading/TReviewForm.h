#pragma once

#include "ReviewList.h"

#include <QDialog>

namespace Ui {
class TReviewForm;
}

// The items review: every item of the exam with its state icon and the letters the candidate
// chose; the candidate can go to any item from here.
class TReviewForm : public QDialog {
    Q_OBJECT

public:
    explicit TReviewForm(QWidget* parent = nullptr);
    ~TReviewForm() override;

    // Rebuilds the list; `afterGrading` chooses the icons and the legend.
    void fill(const QVector<ReviewList::Entry>& entries, bool afterGrading);

    void ListView1SelectItem();
    void BitBtn2Click(); // Go to the selected question
    void ListView1DblClick();

signals:
    // The candidate chose item `recordNumber` (1 for the first item).
    void goToItemRequested(int recordNumber);

protected:
    void done(int result) override;

private:
    void goToSelected();
    void FormClose();

    Ui::TReviewForm* ui;
};
