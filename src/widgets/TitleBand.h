#pragma once

#include <QWidget>

class OutlinedLabel;

// The coloured band at the top of the program's small windows: a bold white title with a
// shadow, centred.
class TitleBand : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)
    // The title's size in pixels, which a form cannot give a font.
    Q_PROPERTY(int titlePixelSize READ titlePixelSize WRITE setTitlePixelSize)

public:
    explicit TitleBand(QWidget* parent = nullptr);
    TitleBand(const QString& title, int pixelSize, QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QString title() const;
    void setTitlePixelSize(int pixelSize);
    int titlePixelSize() const;

private:
    OutlinedLabel* m_title;
};
