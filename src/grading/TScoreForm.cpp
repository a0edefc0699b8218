#include "TScoreForm.h"

#include "ui_TScoreForm.h"

#include "PrintDialog.h"
#include "Prompt.h"

#include <QPrinter>

TScoreForm::TScoreForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(new Ui::TScoreForm)
{
    ui->setupUi(this);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TScoreForm::BitBtn1Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &TScoreForm::BitBtn2Click);
    connect(ui->BitBtn3, &QPushButton::clicked, this, &TScoreForm::BitBtn3Click);
}

TScoreForm::~TScoreForm()
{
    delete ui;
}

void TScoreForm::setResults(const ScoreReportContent& content)
{
    m_content = content;
    ui->TotalChart->setModel(content.total);
    ui->TotalLabel->setText(content.scoreLine);
    ui->Chart1->setModel(content.sections);
}

void TScoreForm::BitBtn1Click()
{
    emit viewAnswersRequested();
    accept();
}

void TScoreForm::BitBtn2Click()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setDocName(QStringLiteral("Score Report"));
        m_printer->setFromTo(1, 1);
    }
    if (!PrintDialog::exec(*m_printer, this))
        return;
    if (!ScoreReport::print(*m_printer, m_content, QDate::currentDate()))
        PrintDialog::reportFailure(*m_printer, this);
}

void TScoreForm::BitBtn3Click()
{
    if (Prompt::ask(this, Prompt::Kind::Confirmation,
                    QStringLiteral("Are you sure you wish to end this exam?"),
                    QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    emit exitExamRequested();
    accept();
}

void TScoreForm::reject()
{
    // Esc does not leave the score window.
}
