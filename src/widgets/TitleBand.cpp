#include "TitleBand.h"

#include "Look.h"
#include "OutlinedLabel.h"

#include <QHBoxLayout>

TitleBand::TitleBand(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette band = palette();
    band.setColor(QPalette::Window, QColor(0x3a, 0x5a, 0x8c));
    setPalette(band);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 2);
    m_title = new OutlinedLabel(QString(), this);
    m_title->setFont(Look::pixelFont(QStringLiteral("Arial"), 15, true));
    m_title->setShadow(1, QColor(20, 20, 20));
    layout->addWidget(m_title);
}

TitleBand::TitleBand(const QString& title, int pixelSize, QWidget* parent) : TitleBand(parent)
{
    setTitle(title);
    setTitlePixelSize(pixelSize);
}

void TitleBand::setTitle(const QString& title)
{
    m_title->setText(title);
}

QString TitleBand::title() const
{
    return m_title->text();
}

void TitleBand::setTitlePixelSize(int pixelSize)
{
    QFont font = m_title->font();
    font.setPixelSize(pixelSize);
    m_title->setFont(font);
}

int TitleBand::titlePixelSize() const
{
    return m_title->font().pixelSize();
}
