#include "TNameForm.h"

#include "ui_TNameForm.h"

#include <QDate>
#include <QLocale>

TNameForm::TNameForm(QWidget* parent) : QDialog(parent), ui(new Ui::TNameForm)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("NameForm"));
    setFixedSize(305, 204);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    setFont(font);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TNameForm::BitBtn1Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

TNameForm::~TNameForm()
{
    delete ui;
}

QString TNameForm::candidateName() const
{
    return ui->NameEdit->text();
}

int TNameForm::minutes() const
{
    return ui->SpinEdit1->value();
}

void TNameForm::setMinutes(int minutes)
{
    ui->SpinEdit1->setValue(minutes);
}

int TNameForm::questionCount() const
{
    return ui->SpinEdit2->value();
}

void TNameForm::setQuestionCount(int count, bool editable)
{
    ui->SpinEdit2->setMaximum(count);
    ui->SpinEdit2->setValue(count);
    ui->Label4->setEnabled(editable);
    ui->SpinEdit2->setEnabled(editable);
    QPalette palette = ui->SpinEdit2->palette();
    palette.setColor(QPalette::Base, editable ? QColor(Qt::white) : QColor(0xC0, 0xC0, 0xC0));
    palette.setColor(QPalette::Text, editable ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80));
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base,
                         editable ? QColor(Qt::white) : QColor(0xC0, 0xC0, 0xC0));
        palette.setColor(group, QPalette::Text,
                         editable ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80));
    }
    ui->SpinEdit2->setPalette(palette);
}

void TNameForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TNameForm::FormActivate()
{
    ui->Label1->setText(QStringLiteral("Date: ") +
                        QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    ui->NameEdit->setFocus();
    ui->NameEdit->selectAll();
}

void TNameForm::BitBtn1Click()
{
    // A number typed outside its field's range is brought to the nearest bound.
    ui->SpinEdit1->interpretText();
    ui->SpinEdit2->interpretText();
    accept();
}
