#include "TOptionsForm.h"

#include "ChooserDialogs.h"
#include "Look.h"
#include "ui_TOptionsForm.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

TOptionsForm::TOptionsForm(QWidget* parent) : QDialog(parent), ui(new Ui::TOptionsForm)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("OptionsForm"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Look::makeWhite(ui->Panel1);

    connect(ui->ListBox1, &QListWidget::currentRowChanged, this, &TOptionsForm::ListBox1Click);
    connect(ui->BitBtn3, &QPushButton::clicked, this, &TOptionsForm::BitBtn3Click);
    connect(ui->SpeedButton1, &QToolButton::clicked, this, &TOptionsForm::SpeedButton1Click);
    connect(ui->BitBtn1, &QPushButton::clicked, this, [this] {
        ui->SpinEdit1->interpretText(); // a number typed out of range is brought into it
        accept();
    });
}

TOptionsForm::~TOptionsForm()
{
    delete ui;
}

void TOptionsForm::prepare(const Settings& current)
{
    ui->PageControl1->setCurrentIndex(0);
    m_settings = current;
    ui->SpinEdit1->setValue(current.DefaultTime);
    ui->Edit1->setText(current.CalcPath);
    (current.ShowLearnBtn ? ui->LearnShow : ui->LearnHide)->setChecked(true);
    (current.TimerOn ? ui->TimerOnButton : ui->TimerOffButton)->setChecked(true);
    (current.ShowCalcBtn ? ui->CalcShow : ui->CalcHide)->setChecked(true);
}

Settings TOptionsForm::values() const
{
    Settings values = m_settings;
    values.ShowLearnBtn = ui->LearnShow->isChecked();
    values.TimerOn = ui->TimerOnButton->isChecked();
    values.ShowCalcBtn = ui->CalcShow->isChecked();
    values.DefaultTime = ui->SpinEdit1->value();
    values.CalcPath = ui->Edit1->text();
    return values;
}

void TOptionsForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TOptionsForm::FormActivate()
{
    ui->ListBox1->setCurrentRow(0);
    ListBox1Click();
}

FontSetting* TOptionsForm::selectedFont()
{
    switch (ui->ListBox1->currentRow()) {
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
    const QListWidgetItem* item = ui->ListBox1->currentItem();
    ui->Panel1->setText(item ? item->text() : QString());
    ui->Panel1->setFont(font->font());
    Look::setTextColor(ui->Panel1, font->textColor());
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
    const QString chosen = ChooserDialogs::chooseProgram(ui->Edit1->text(), this);
    if (!chosen.isEmpty())
        ui->Edit1->setText(chosen);
}
