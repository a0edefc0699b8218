#include "TStudyProgressForm.h"

#include "ChooserDialogs.h"
#include "DataError.h"
#include "ErrorBoundary.h"
#include "PrintDialog.h"
#include "ProgressContent.h"
#include "ProgressReport.h"
#include "Prompt.h"
#include "TAttemptItemsForm.h"
#include "ui_TStudyProgressForm.h"

#include <QDir>
#include <QPrinter>
#include <QSaveFile>

TStudyProgressForm::TStudyProgressForm(QWidget* parent)
    : QDialog(parent), ui(new Ui::TStudyProgressForm)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("StudyProgressForm"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_items = new TAttemptItemsForm(this);
    ui->AttemptList->header()->setStretchLastSection(false);
    ErrorBoundary::connect(ui->AllAttemptsBox, &QCheckBox::toggled, this,
                           &TStudyProgressForm::refresh);
    ErrorBoundary::connect(ui->ItemsButton, &QPushButton::clicked, this,
                           &TStudyProgressForm::ItemsButtonClick);
    ErrorBoundary::connect(ui->AttemptList, &QTreeWidget::itemActivated, this,
                           &TStudyProgressForm::ItemsButtonClick);
    ErrorBoundary::connect(ui->PrintButton, &QPushButton::clicked, this,
                           &TStudyProgressForm::PrintButtonClick);
    ErrorBoundary::connect(ui->ExportButton, &QPushButton::clicked, this,
                           &TStudyProgressForm::ExportButtonClick);
    ErrorBoundary::connect(ui->DeleteButton, &QPushButton::clicked, this,
                           &TStudyProgressForm::DeleteButtonClick);
    connect(ui->CloseButton, &QPushButton::clicked, this, &QDialog::accept);
}

TStudyProgressForm::~TStudyProgressForm()
{
    delete ui;
}

void TStudyProgressForm::showHistory(const HistoryStore& history)
{
    m_history = history;
    refresh();
}

void TStudyProgressForm::refresh()
{
    m_attempts = m_history ? m_history->attempts() : QVector<Attempt>();
    const bool all = ui->AllAttemptsBox->isChecked();
    ui->ScoreChart->setModel(ProgressContent::scoreChart(m_attempts));
    ui->SectionChart->setModel(ProgressContent::sectionChart(
        m_history ? m_history->sectionTallies(all ? 0 : ProgressContent::RecentAttempts)
                  : std::array<HistoryStore::SectionTally, 7>{},
        all));
    ui->AttemptList->clear();
    for (const ProgressContent::Row& row : ProgressContent::rows(m_attempts)) {
        auto* item = new QTreeWidgetItem(ui->AttemptList);
        item->setText(0, row.date);
        item->setText(1, row.exam);
        item->setText(2, row.score);
        item->setText(3, row.grade);
        item->setText(4, row.timeUsed);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (!m_attempts.isEmpty())
        ui->AttemptList->setCurrentItem(ui->AttemptList->topLevelItem(0));
    for (int column = 0; column < ui->AttemptList->columnCount(); ++column)
        ui->AttemptList->resizeColumnToContents(column);
    const bool any = !m_attempts.isEmpty();
    ui->ItemsButton->setEnabled(any);
    ui->PrintButton->setEnabled(any);
    ui->ExportButton->setEnabled(any);
    ui->DeleteButton->setEnabled(any);
}

void TStudyProgressForm::ItemsButtonClick()
{
    const int row = ui->AttemptList->indexOfTopLevelItem(ui->AttemptList->currentItem());
    if (!m_history || row < 0 || row >= m_attempts.size())
        return;
    Attempt attempt = m_attempts[row];
    attempt.items = m_history->items(attempt.id);
    m_items->show(attempt);
    m_items->exec();
}

void TStudyProgressForm::PrintButtonClick()
{
    if (!m_history)
        return;
    ProgressReport::Content content;
    content.scores = ui->ScoreChart->model();
    content.sections = ui->SectionChart->model();
    content.rows = ProgressContent::rows(m_attempts);
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setDocName(QStringLiteral("Progress"));
    }
    if (PrintDialog::exec(*m_printer, this) &&
        !ProgressReport::print(*m_printer, content, QDate::currentDate()))
        PrintDialog::reportFailure(*m_printer, this);
}

void TStudyProgressForm::ExportButtonClick()
{
    if (!m_history)
        return;
    const QString path = ChooserDialogs::chooseFileToSave(
        QStringLiteral("Export the study history"),
        QDir::home().filePath(QStringLiteral("tessaly-history.csv")),
        QStringLiteral("CSV files (*.csv)"), this);
    if (path.isEmpty())
        return;
    const QByteArray text = m_history->csv().toUtf8();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        Prompt::error(this, QStringLiteral("The study history could not be written to %1:\n%2")
                                .arg(path, file.errorString()));
    }
}

void TStudyProgressForm::DeleteButtonClick()
{
    if (!m_history)
        return;
    if (Prompt::ask(this, Prompt::Kind::Confirmation,
                    QStringLiteral("Delete every recorded attempt from the study history?\nThis "
                                   "cannot be undone."),
                    QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    m_history->clear();
    refresh();
}
