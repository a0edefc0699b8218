#include "TAttemptItemsForm.h"

#include "SectionTitles.h"
#include "ui_TAttemptItemsForm.h"

#include <QLocale>
#include <QPushButton>

TAttemptItemsForm::TAttemptItemsForm(QWidget* parent)
    : QDialog(parent), ui(new Ui::TAttemptItemsForm)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("AttemptItemsForm"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    connect(ui->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TAttemptItemsForm::~TAttemptItemsForm()
{
    delete ui;
}

void TAttemptItemsForm::show(const Attempt& attempt)
{
    ui->AttemptLine->setText(QStringLiteral("%1, %2").arg(
        attempt.examTitle, QLocale().toString(attempt.finishedAt, QLocale::ShortFormat)));
    ui->ItemList->clear();
    for (const AttemptItem& item : attempt.items) {
        auto* row = new QTreeWidgetItem(ui->ItemList);
        row->setText(0, QString::number(item.position));
        row->setText(1, QString::number(item.itemId));
        row->setText(2, SectionTitles::title(item.section));
        row->setText(3, item.selected.isEmpty() ? QStringLiteral("-") : item.selected);
        row->setText(4, item.correct ? QStringLiteral("Correct") : QStringLiteral("Incorrect"));
        row->setForeground(4, item.correct ? QColor(0, 0, 255) : QColor(255, 0, 0));
    }
    for (int column = 0; column < ui->ItemList->columnCount(); ++column)
        ui->ItemList->resizeColumnToContents(column);
}
