#pragma once

#include <QDialog>

class DataSource;
class Table;

namespace Ui {
class TNoteForm;
}

// The note window: the candidate's note on the current item, edited in the working record
// and saved to the item's bank question too, so that it comes back in later exams.
class TNoteForm : public QDialog {
    Q_OBJECT

public:
    explicit TNoteForm(QWidget* parent = nullptr);
    ~TNoteForm() override;

    // The tables a note lives in: the working record of the exam and the bank.
    void bind(DataSource* currentSet, Table* bank);
    void setItemLine(const QString& line);

    void DBMemo1Change();
    void Button1Click(); // Save Note
    void Button2Click(); // Cancel

protected:
    void done(int result) override;

private:
    void setChangedState(bool changed);
    void FormClose();

    DataSource* m_currentSet = nullptr;
    Table* m_bank = nullptr;
    Ui::TNoteForm* ui;
};
