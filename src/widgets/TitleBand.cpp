#include "TitleBand.h"

#include "OutlinedLabel.h"

#include <QHBoxLayout>

TitleBand::TitleBand(const QString& title, int pixelSize, QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette band = palette();
    band.setColor(QPalette::Window, QColor(0x3a, 0x5a, 0x8c));
    setPalette(band);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 2);
    m_title = new OutlinedLabel(title, this);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    m_title->setFont(font);
    m_title->setShadow(1, QColor(20, 20, 20));
    layout->addWidget(m_title);
}
