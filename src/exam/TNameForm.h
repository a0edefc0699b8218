#pragma once

#include <QDialog>

namespace Ui {
class TNameForm;
}

// The exam start dialog: the candidate's name, the time limit and, for a Random Exam, the
// number of questions. It keeps what was entered between showings.
class TNameForm : public QDialog {
    Q_OBJECT

public:
    explicit TNameForm(QWidget* parent = nullptr);
    ~TNameForm() override;

    QString candidateName() const;
    int minutes() const;
    void setMinutes(int minutes);
    int questionCount() const;
    // The number-of-questions field: its largest value, which it also shows, and whether the
    // candidate may change it.
    void setQuestionCount(int count, bool editable);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void BitBtn1Click();

    Ui::TNameForm* ui;
};
