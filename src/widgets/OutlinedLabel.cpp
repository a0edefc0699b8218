#include "OutlinedLabel.h"

#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

OutlinedLabel::OutlinedLabel(const QString& text, QWidget* parent) : QWidget(parent), m_text(text)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

OutlinedLabel::OutlinedLabel(QWidget* parent) : OutlinedLabel(QString(), parent) {}

void OutlinedLabel::setText(const QString& text)
{
    m_text = text;
    updateGeometry();
    update();
}

void OutlinedLabel::setTextColor(const QColor& color)
{
    m_textColor = color;
    update();
}

void OutlinedLabel::setOutlineColor(const QColor& color)
{
    m_outlineColor = color;
    update();
}

void OutlinedLabel::setShadow(int offset, const QColor& color)
{
    m_shadowOffset = offset;
    m_shadowColor = color;
    update();
}

void OutlinedLabel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void OutlinedLabel::setWordWrap(bool wrap)
{
    m_wordWrap = wrap;
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(wrap);
    setSizePolicy(policy);
    updateGeometry();
}

QStringList OutlinedLabel::lines(int width) const
{
    if (!m_wordWrap)
        return m_text.split(QLatin1Char('\n'));
    QStringList result;
    const QFontMetrics metrics(font());
    for (const QString& paragraph : m_text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font());
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(qMax(1, width - m_shadowOffset - 2));
            result.append(paragraph.mid(line.textStart(), line.textLength()).trimmed());
        }
        layout.endLayout();
        if (paragraph.isEmpty())
            result.append(QString());
    }
    return result;
}

QSize OutlinedLabel::sizeHint() const
{
    const QFontMetrics metrics(font());
    int width = 0;
    const QStringList all = m_text.split(QLatin1Char('\n'));
    for (const QString& line : all)
        width = qMax(width, metrics.horizontalAdvance(line));
    return QSize(width + m_shadowOffset + 4, metrics.height() * all.size() + m_shadowOffset + 2);
}

QSize OutlinedLabel::minimumSizeHint() const
{
    return m_wordWrap ? QSize(20, heightForWidth(20)) : sizeHint();
}

int OutlinedLabel::heightForWidth(int width) const
{
    const QFontMetrics metrics(font());
    return metrics.height() * lines(width).size() + m_shadowOffset + 2;
}

void OutlinedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics(font());
    const QStringList textLines = lines(width());
    const int blockHeight = metrics.height() * textLines.size();
    int top = 0;
    if (m_alignment & Qt::AlignVCenter)
        top = (height() - blockHeight - m_shadowOffset) / 2;
    else if (m_alignment & Qt::AlignBottom)
        top = height() - blockHeight - m_shadowOffset;

    QPainterPath path;
    for (int i = 0; i < textLines.size(); ++i) {
        const int advance = metrics.horizontalAdvance(textLines[i]);
        int left = 1;
        if (m_alignment & Qt::AlignHCenter)
            left = (width() - advance - m_shadowOffset) / 2;
        else if (m_alignment & Qt::AlignRight)
            left = width() - advance - m_shadowOffset - 1;
        path.addText(left, top + i * metrics.height() + metrics.ascent(), font(), textLines[i]);
    }
    if (m_shadowOffset > 0)
        painter.fillPath(path.translated(m_shadowOffset, m_shadowOffset), m_shadowColor);
    painter.fillPath(path, m_textColor);
    if (m_outlineColor.isValid())
        painter.strokePath(path, QPen(m_outlineColor, 1));
}
