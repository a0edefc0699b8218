#include "TNoteForm.h"

#include "ui_TNoteForm.h"

#include "DataSource.h"
#include "ErrorBoundary.h"
#include "FieldNames.h"
#include "Table.h"

TNoteForm::TNoteForm(QWidget* parent) : QDialog(parent), ui(new Ui::TNoteForm)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setChangedState(false);

    connect(ui->DBMemo1, &DBMemo::edited, this, &TNoteForm::DBMemo1Change);
    connect(ui->Button1, &QPushButton::clicked, this, &TNoteForm::Button1Click);
    ErrorBoundary::connect(ui->Button2, &QPushButton::clicked, this, &TNoteForm::Button2Click);
    connect(ui->Button3, &QPushButton::clicked, this, &QDialog::accept);
}

TNoteForm::~TNoteForm()
{
    delete ui;
}

void TNoteForm::bind(DataSource* currentSet, Table* bank)
{
    m_currentSet = currentSet;
    m_bank = bank;
    ui->DBMemo1->bind(currentSet, Field::UMemo);
}

void TNoteForm::setItemLine(const QString& line)
{
    ui->ItemLine->setText(line);
}

void TNoteForm::setChangedState(bool changed)
{
    ui->Button1->setEnabled(changed);
    ui->Button2->setEnabled(changed);
}

void TNoteForm::DBMemo1Change()
{
    setChangedState(true);
}

void TNoteForm::Button1Click()
{
    const bool saved = reportErrors(this, [this] {
        Table* working = m_currentSet->table();
        working->post();
        const int number = int(working->fieldInt(Field::QOrNumber));
        // The bank question's record number is its Q_ID, which the item carries.
        m_bank->setRecNo(number);
        if (m_bank->fieldInt(Field::QId) != number) {
            throw std::runtime_error(
                QStringLiteral("The question %1 was not found in the question bank; the note "
                               "is kept with this exam only.")
                    .arg(number)
                    .toStdString());
        }
        try {
            m_bank->edit();
            m_bank->setField(Field::UMemo, working->fieldText(Field::UMemo));
            m_bank->post();
        } catch (...) {
            // The note stays in the working copy; the bank record stays as it was, with no
            // edit left pending that a later move or save would store behind the candidate.
            m_bank->cancel();
            throw;
        }
    });
    if (saved)
        setChangedState(false);
}

void TNoteForm::Button2Click()
{
    m_currentSet->table()->cancel();
    setChangedState(false);
}

void TNoteForm::FormClose()
{
    // Unsaved text is dropped without a question.
    if (m_currentSet && m_currentSet->table()->isActive())
        reportErrors(this, [this] { m_currentSet->table()->cancel(); });
    setChangedState(false);
}

void TNoteForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}
