#include "TScoreForm.h"

#include "BarChart.h"
#include "PrintDialog.h"
#include "Prompt.h"
#include "TitleBand.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

TScoreForm::TScoreForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("ScoreForm"));
    setWindowTitle(QStringLiteral("Examora"));
    setFixedSize(582, 435);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->setSpacing(4);

    auto* header = new TitleBand(QStringLiteral("Examination Score Report"), 17, this);
    header->setFixedHeight(30);
    layout->addWidget(header);

    TotalChart = new BarChartWidget(this);
    TotalChart->setObjectName(QStringLiteral("TotalChart"));
    TotalChart->setFixedHeight(120);
    layout->addWidget(TotalChart);

    TotalLabel = new QLabel(this);
    TotalLabel->setObjectName(QStringLiteral("TotalLabel"));
    TotalLabel->setTextFormat(Qt::PlainText);
    TotalLabel->setAlignment(Qt::AlignCenter);
    QFont bold = TotalLabel->font();
    bold.setBold(true);
    TotalLabel->setFont(bold);
    layout->addWidget(TotalLabel);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("SectionScroll"));
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Chart1 = new BarChartWidget;
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->setMinimumHeight(300);
    scroll->setWidget(Chart1);
    layout->addWidget(scroll, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 0, 8, 0);
    BitBtn1 = new QPushButton(QStringLiteral("&View Answers"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("&Print Report"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn3 = new QPushButton(QStringLiteral("E&xit Exam"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn3);
    layout->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &TScoreForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TScoreForm::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TScoreForm::BitBtn3Click);
}

TScoreForm::~TScoreForm() = default;

void TScoreForm::setResults(const ScoreReportContent& content)
{
    m_content = content;
    TotalChart->setModel(content.total);
    TotalLabel->setText(content.scoreLine);
    Chart1->setModel(content.sections);
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
