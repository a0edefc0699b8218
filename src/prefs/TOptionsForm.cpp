#include "TOptionsForm.h"

#include "BoundedSpinBox.h"
#include "ChooserDialogs.h"
#include "Look.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A page of the options: a titled group of two exclusive choices, with room below for more.
struct ChoicePage {
    QWidget* page;
    QVBoxLayout* layout;
    QRadioButton* first;
    QRadioButton* second;
};

ChoicePage choicePage(const QString& groupName, const QString& groupTitle, const QString& firstText,
                      const QString& firstName, const QString& secondText,
                      const QString& secondName)
{
    ChoicePage choice;
    choice.page = new QWidget;
    choice.layout = new QVBoxLayout(choice.page);
    // Narrow margins: the longest choice, "Show 'Learn Now' button (not recomended)", must
    // fit the fixed dialog whole.
    choice.layout->setContentsMargins(4, 6, 4, 4);
    auto* group = new QGroupBox(groupTitle, choice.page);
    group->setObjectName(groupName);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->setContentsMargins(6, 6, 4, 6);
    choice.first = new QRadioButton(firstText, group);
    choice.first->setObjectName(firstName);
    choice.second = new QRadioButton(secondText, group);
    choice.second->setObjectName(secondName);
    groupLayout->addWidget(choice.first);
    groupLayout->addWidget(choice.second);
    auto* exclusive = new QButtonGroup(group);
    exclusive->addButton(choice.first);
    exclusive->addButton(choice.second);
    choice.layout->addWidget(group);
    return choice;
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
    Panel1->setFrameShape(QFrame::StyledPanel);
    Look::makeWhite(Panel1);
    BitBtn3 = new QPushButton(QStringLiteral("Change Font"), fonts);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    fontsLayout->addWidget(ListBox1, 0, 0, 2, 1);
    fontsLayout->addWidget(Panel1, 0, 1);
    fontsLayout->addWidget(BitBtn3, 1, 1, Qt::AlignRight);
    layout->addWidget(fonts);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));

    const ChoicePage learn = choicePage(
        QStringLiteral("LearnBtnGroup"), QStringLiteral("Learn Now Button"),
        QStringLiteral("Show 'Learn Now' button (not recomended)"), QStringLiteral("LearnShow"),
        QStringLiteral("Do not show 'Learn Now' button"), QStringLiteral("LearnHide"));
    m_learnShow = learn.first;
    m_learnHide = learn.second;
    learn.layout->addStretch(1);
    PageControl1->addTab(learn.page, QStringLiteral("'Learn Now' button"));

    const ChoicePage calc =
        choicePage(QStringLiteral("CalcBtnGroup"), QStringLiteral("Calculator Button"),
                   QStringLiteral("Show calculator button"), QStringLiteral("CalcShow"),
                   QStringLiteral("Do not show calculator button"), QStringLiteral("CalcHide"));
    m_calcShow = calc.first;
    m_calcHide = calc.second;
    calc.layout->addWidget(new QLabel(QStringLiteral("Calculator path:"), calc.page));
    auto* pathRow = new QHBoxLayout;
    Edit1 = new QLineEdit(calc.page);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    SpeedButton1 = new QToolButton(calc.page);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("..."));
    SpeedButton1->setToolTip(QStringLiteral("Choose the calculator program"));
    pathRow->addWidget(Edit1);
    pathRow->addWidget(SpeedButton1);
    calc.layout->addLayout(pathRow);
    calc.layout->addStretch(1);
    PageControl1->addTab(calc.page, QStringLiteral("Calculator"));

    const ChoicePage timer =
        choicePage(QStringLiteral("TimerGroup"), QStringLiteral("Timer"),
                   QStringLiteral("Timer On"), QStringLiteral("TimerOnButton"),
                   QStringLiteral("Timer Off"), QStringLiteral("TimerOffButton"));
    m_timerOn = timer.first;
    m_timerOff = timer.second;
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(new QLabel(QStringLiteral("Deafault Time (min):"), timer.page));
    SpinEdit1 = new BoundedSpinBox(timer.page);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(1, 9000);
    timeRow->addWidget(SpinEdit1);
    timeRow->addStretch(1);
    timer.layout->addLayout(timeRow);
    timer.layout->addStretch(1);
    PageControl1->addTab(timer.page, QStringLiteral("Timer"));
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

void TOptionsForm::prepare(const Settings& current)
{
    PageControl1->setCurrentIndex(0);
    m_settings = current;
    SpinEdit1->setValue(current.DefaultTime);
    Edit1->setText(current.CalcPath);
    (current.ShowLearnBtn ? m_learnShow : m_learnHide)->setChecked(true);
    (current.TimerOn ? m_timerOn : m_timerOff)->setChecked(true);
    (current.ShowCalcBtn ? m_calcShow : m_calcHide)->setChecked(true);
}

Settings TOptionsForm::values() const
{
    Settings values = m_settings;
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

FontSetting* TOptionsForm::selectedFont()
{
    switch (ListBox1->currentRow()) {
    case 1:
        return &m_settings.answer;
    case 2:
        return &m_settings.explanation;
    default:
        return &m_settings.question;
    }
}

void TOptionsForm::ListBox1Click()
{
    const FontSetting* font = selectedFont();
    const QListWidgetItem* item = ListBox1->currentItem();
    Panel1->setText(item ? item->text() : QString());
    Panel1->setFont(font->font());
    Look::setTextColor(Panel1, font->textColor());
}

void TOptionsForm::BitBtn3Click()
{
    FontSetting* font = selectedFont();
    if (const std::optional<ColoredFont> chosen =
            ChooserDialogs::chooseFont(ColoredFont{font->font(), font->textColor()}, this))
        *font = FontSetting::of(chosen->font, chosen->color);
    ListBox1Click();
}

void TOptionsForm::SpeedButton1Click()
{
    const QString chosen = ChooserDialogs::chooseProgram(Edit1->text(), this);
    if (!chosen.isEmpty())
        Edit1->setText(chosen);
}
