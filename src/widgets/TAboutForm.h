#pragma once

#include <QDialog>

// The about window: the logo, the maker's notice and an OK button.
class TAboutForm : public QDialog {
    Q_OBJECT

public:
    explicit TAboutForm(QWidget* parent = nullptr);
};
