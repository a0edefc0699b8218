#include "TOptionsForm.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QWidget* radioGroup(const QString& name, const QString& title, QRadioButton* first,
                    QRadioButton* second, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(first);
    layout->addWidget(second);
    auto* exclusive = new QButtonGroup(group);
    exclusive->addButton(first);
    exclusive->addButton(second);
    return group;
}

} // namespace

TOptionsForm::TOptionsForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OptionsForm"));
    setWindowTitle(QStringLiteral("Options"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(333, 354);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);

    auto* fonts = new QGroupBox(QStringLiteral("Fonts"), this);
    fonts->setFixedHeight(121);
    auto* fontsLayout = new QGridLayout(fonts);
    ListBox1 = new QListWidget(fonts);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->addItems(
        {QStringLiteral("Question"), QStringLiteral("Answers"), QStringLiteral("Explanation")});
    ListBox1->setFixedWidth(110);
    Panel1 = new QLabel(fonts);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setTextFormat(Qt::PlainText);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFixedSize(157, 53);
    Panel1->setAutoFillBackground(true);
    Panel1->setFrameShape(QFrame::StyledPanel);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);
    BitBtn3 = new QPushButton(QStringLiteral("Change Font"), fonts);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    fontsLayout->addWidget(ListBox1, 0, 0, 2, 1);
    fontsLayout->addWidget(Panel1, 0, 1);
    fontsLayout->addWidget(BitBtn3, 1, 1, Qt::AlignRight);
    layout->addWidget(fonts);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));

    m_learnShow = new QRadioButton(QStringLiteral("Show 'Learn Now' button (not recomended)"));
    m_learnShow->setObjectName(QStringLiteral("LearnShow"));
    m_learnHide = new QRadioButton(QStringLiteral("Do not show 'Learn Now' button"));
    m_learnHide->setObjectName(QStringLiteral("LearnHide"));
    auto* learnPage = new QWidget;
    auto* learnLayout = new QVBoxLayout(learnPage);
    learnLayout->addWidget(radioGroup(QStringLiteral("LearnBtnGroup"),
                                      QStringLiteral("Learn Now Button"), m_learnShow, m_learnHide,
                                      learnPage));
    learnLayout->addStretch(1);
    PageControl1->addTab(learnPage, QStringLiteral("'Learn Now' button"));

    m_calcShow = new QRadioButton(QStringLiteral("Show calculator button"));
    m_calcShow->setObjectName(QStringLiteral("CalcShow"));
    m_calcHide = new QRadioButton(QStringLiteral("Do not show calculator button"));
    m_calcHide->setObjectName(QStringLiteral("CalcHide"));
    auto* calcPage = new QWidget;
    auto* calcLayout = new QVBoxLayout(calcPage);
    calcLayout->addWidget(radioGroup(QStringLiteral("CalcBtnGroup"),
                                     QStringLiteral("Calculator Button"), m_calcShow, m_calcHide,
                                     calcPage));
    calcLayout->addWidget(new QLabel(QStringLiteral("Calculator path:"), calcPage));
    auto* pathRow = new QHBoxLayout;
    Edit1 = new QLineEdit(calcPage);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    SpeedButton1 = new QToolButton(calcPage);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("..."));
    SpeedButton1->setToolTip(QStringLiteral("Choose the calculator program"));
    pathRow->addWidget(Edit1);
    pathRow->addWidget(SpeedButton1);
    calcLayout->addLayout(pathRow);
    calcLayout->addStretch(1);
    PageControl1->addTab(calcPage, QStringLiteral("Calculator"));

    m_timerOn = new QRadioButton(QStringLiteral("Timer On"));
    m_timerOn->setObjectName(QStringLiteral("TimerOnButton"));
    m_timerOff = new QRadioButton(QStringLiteral("Timer Off"));
    m_timerOff->setObjectName(QStringLiteral("TimerOffButton"));
    auto* timerPage = new QWidget;
    auto* timerLayout = new QVBoxLayout(timerPage);
    timerLayout->addWidget(radioGroup(QStringLiteral("TimerGroup"), QStringLiteral("Timer"),
                                      m_timerOn, m_timerOff, timerPage));
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(new QLabel(QStringLiteral("Deafault Time (min):"), timerPage));
    SpinEdit1 = new QSpinBox(timerPage);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(1, 9000);
    SpinEdit1->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    timeRow->addWidget(SpinEdit1);
    timeRow->addStretch(1);
    timerLayout->addLayout(timeRow);
    timerLayout->addStretch(1);
    PageControl1->addTab(timerPage, QStringLiteral("Timer"));
    layout->addWidget(PageControl1, 1);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setFixedSize(83, 29);
    BitBtn1->setDefault(true);
    layout->addWidget(BitBtn1, 0, Qt::AlignRight);

    connect(ListBox1, &QListWidget::currentRowChanged, this, &TOptionsForm::ListBox1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TOptionsForm::BitBtn3Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TOptionsForm::SpeedButton1Click);
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        SpinEdit1->interpretText(); // a number typed out of range is brought into it
        accept();
    });
}

void TOptionsForm::prepare(const Values& current)
{
    PageControl1->setCurrentIndex(0);
    QuestionFont = current.QuestionFont;
    AnswerFont = current.AnswerFont;
    ExplanationFont = current.ExplanationFont;
    SpinEdit1->setValue(current.DefaultTime);
    Edit1->setText(current.CalcPath);
    (current.ShowLearnBtn ? m_learnShow : m_learnHide)->setChecked(true);
    (current.TimerOn ? m_timerOn : m_timerOff)->setChecked(true);
    (current.ShowCalcBtn ? m_calcShow : m_calcHide)->setChecked(true);
}

TOptionsForm::Values TOptionsForm::values() const
{
    Values values;
    values.QuestionFont = QuestionFont;
    values.AnswerFont = AnswerFont;
    values.ExplanationFont = ExplanationFont;
    values.ShowLearnBtn = m_learnShow->isChecked();
    values.TimerOn = m_timerOn->isChecked();
    values.ShowCalcBtn = m_calcShow->isChecked();
    values.DefaultTime = SpinEdit1->value();
    values.CalcPath = Edit1->text();
    return values;
}

void TOptionsForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TOptionsForm::FormActivate()
{
    ListBox1->setCurrentRow(0);
    ListBox1Click();
}

ColoredFont* TOptionsForm::selectedFont()
{
    switch (ListBox1->currentRow()) {
    case 1:
        return &AnswerFont;
    case 2:
        return &ExplanationFont;
    default:
        return &QuestionFont;
    }
}

void TOptionsForm::ListBox1Click()
{
    const ColoredFont* font = selectedFont();
    const QListWidgetItem* item = ListBox1->currentItem();
    Panel1->setText(item ? item->text() : QString());
    Panel1->setFont(font->font);
    QPalette palette = Panel1->palette();
    palette.setColor(QPalette::WindowText, font->color);
    Panel1->setPalette(palette);
}

void TOptionsForm::BitBtn3Click()
{
    ColoredFont* font = selectedFont();
    if (const std::optional<ColoredFont> chosen = ChooserDialogs::chooseFont(*font, this))
        *font = *chosen;
    ListBox1Click();
}

void TOptionsForm::SpeedButton1Click()
{
    const QString chosen = ChooserDialogs::chooseProgram(Edit1->text(), this);
    if (!chosen.isEmpty())
        Edit1->setText(chosen);
}
