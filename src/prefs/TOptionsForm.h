#pragma once

#include "Settings.h"

#include <QDialog>

namespace Ui {
class TOptionsForm;
}

// The options dialog: the three item fonts, the Learn Now and calculator buttons, the
// calculator program, the timer and the default time. It edits a copy of the settings; the test
// window takes them over when the candidate confirms with OK.
class TOptionsForm : public QDialog {
    Q_OBJECT

public:
    explicit TOptionsForm(QWidget* parent = nullptr);
    ~TOptionsForm() override;

    // Fills the dialog anew from the current settings.
    void prepare(const Settings& current);
    // The settings as the dialog holds them now; the test window takes them after OK.
    Settings values() const;

    void ListBox1Click();
    void BitBtn3Click(); // Change Font
    void SpeedButton1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    FontSetting* selectedFont();

    Ui::TOptionsForm* ui;
    Settings m_settings; // the fonts as edited; the rest is read from the controls
};
