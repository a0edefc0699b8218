#pragma once

#include <QDialog>

namespace Ui {
class TAboutForm;
}

// The about window: the logo, the maker's notice and an OK button.
class TAboutForm : public QDialog {
    Q_OBJECT

public:
    explicit TAboutForm(QWidget* parent = nullptr);
    ~TAboutForm() override;

private:
    Ui::TAboutForm* ui;
};
