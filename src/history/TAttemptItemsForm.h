#pragma once

#include "Attempt.h"

#include <QDialog>

namespace Ui {
class TAttemptItemsForm;
}

// The items of one recorded attempt: number, Item ID, section, the letters chosen and whether
// the answer was correct.
class TAttemptItemsForm : public QDialog {
    Q_OBJECT

public:
    explicit TAttemptItemsForm(QWidget* parent = nullptr);
    ~TAttemptItemsForm() override;

    void show(const Attempt& attempt);

private:
    Ui::TAttemptItemsForm* ui;
};
