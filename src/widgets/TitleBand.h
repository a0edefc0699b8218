#pragma once

#include <QWidget>

class OutlinedLabel;

// The coloured band at the top of the program's small windows: a bold white title with a
// shadow, centred.
class TitleBand : public QWidget {
    Q_OBJECT

public:
    TitleBand(const QString& title, int pixelSize, QWidget* parent = nullptr);

private:
    OutlinedLabel* m_title;
};
