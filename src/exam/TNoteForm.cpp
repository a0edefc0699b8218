#include "TNoteForm.h"

#include "DataAwareEditors.h"
#include "DataSource.h"
#include "ErrorBoundary.h"
#include "FieldNames.h"
#include "Table.h"
#include "TitleBand.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TNoteForm::TNoteForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("NoteForm"));
    setWindowTitle(QStringLiteral("Examora"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(286, 222);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(4);

    layout->addWidget(new TitleBand(QStringLiteral("User Note"), 15, this));

    m_itemLine = new QLabel(this);
    m_itemLine->setObjectName(QStringLiteral("ItemLine"));
    m_itemLine->setTextFormat(Qt::PlainText);
    m_itemLine->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_itemLine);

    DBMemo1 = new DBMemo(this);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    layout->addWidget(DBMemo1, 1);

    auto* buttons = new QHBoxLayout;
    Button1 = new QPushButton(QStringLiteral("Save Note"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button3 = new QPushButton(QStringLiteral("Exit"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch(1);
    buttons->addWidget(Button3);
    layout->addLayout(buttons);
    setChangedState(false);

    connect(DBMemo1, &DBMemo::edited, this, &TNoteForm::DBMemo1Change);
    connect(Button1, &QPushButton::clicked, this, &TNoteForm::Button1Click);
    ErrorBoundary::connect(Button2, &QPushButton::clicked, this, &TNoteForm::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &QDialog::accept);
}

void TNoteForm::bind(DataSource* currentSet, Table* bank)
{
    m_currentSet = currentSet;
    m_bank = bank;
    DBMemo1->bind(currentSet, Field::UMemo);
}

void TNoteForm::setItemLine(const QString& line)
{
    m_itemLine->setText(line);
}

void TNoteForm::setChangedState(bool changed)
{
    Button1->setEnabled(changed);
    Button2->setEnabled(changed);
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
