#include "TAboutForm.h"

#include "Look.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About Examora"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Look::makeWhite(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 12);
    layout->setSpacing(8);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setPixmap(QPixmap(QStringLiteral(":/tessaly/logo.svg")));
    logo->setAlignment(Qt::AlignCenter);
    layout->addWidget(logo);

    const QStringList notice = {
        QStringLiteral("Tessaly 4.0 — practice exam simulator"),
        QStringLiteral("Exam SA-410: Linux Server Administration"),
        QString(),
        QStringLiteral("Practice questions written for candidates by the Tessaly team."),
        QStringLiteral("Free software: you may copy and share this program."),
    };
    for (const QString& line : notice) {
        auto* label = new QLabel(line, this);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setCenterButtons(true);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
