#pragma once

#include <QColor>
#include <QWidget>

// A one-line text drawn filled, outlined and with a drop shadow, for titles on coloured bands.
class OutlinedLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)

public:
    explicit OutlinedLabel(const QString& text, QWidget* parent = nullptr);
    // As forms create their widgets: the text comes later.
    explicit OutlinedLabel(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }

    void setTextColor(const QColor& color);
    void setOutlineColor(const QColor& color); // invalid: no outline
    void setShadow(int offset, const QColor& color = QColor(64, 64, 64));
    void setAlignment(Qt::Alignment alignment);
    // Wraps the text at the label's width instead of keeping it on one line.
    void setWordWrap(bool wrap);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return m_wordWrap; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList lines(int width) const;

    QString m_text;
    QColor m_textColor = Qt::white;
    QColor m_outlineColor;
    QColor m_shadowColor = QColor(64, 64, 64);
    int m_shadowOffset = 0;
    Qt::Alignment m_alignment = Qt::AlignCenter;
    bool m_wordWrap = false;
};
