#include "TAboutForm.h"

#include "ui_TAboutForm.h"

#include "Look.h"

#include <QPushButton>

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent), ui(new Ui::TAboutForm)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Look::makeWhite(this);
    ui->AboutButtons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
    connect(ui->AboutButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

TAboutForm::~TAboutForm()
{
    delete ui;
}
