#pragma once

#include "ChooserDialogs.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QToolButton;

// The options dialog: the three item fonts, the Learn Now and calculator buttons, the
// calculator program, the timer and the default time. It edits copies; the test window takes
// them over when the candidate confirms with OK.
class TOptionsForm : public QDialog {
    Q_OBJECT

public:
    struct Values {
        ColoredFont QuestionFont;
        ColoredFont AnswerFont;
        ColoredFont ExplanationFont;
        bool ShowLearnBtn = false;
        bool TimerOn = true;
        bool ShowCalcBtn = true;
        int DefaultTime = 90;
        QString CalcPath;
    };

    explicit TOptionsForm(QWidget* parent = nullptr);

    // Fills the dialog anew from the current settings.
    void prepare(const Values& current);
    // What the dialog holds now; the test window reads it after OK.
    Values values() const;

    void ListBox1Click();
    void BitBtn3Click(); // Change Font
    void SpeedButton1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    ColoredFont* selectedFont();

    QListWidget* ListBox1;
    QLabel* Panel1;
    QPushButton* BitBtn3;
    QTabWidget* PageControl1;
    QRadioButton* m_learnShow;
    QRadioButton* m_learnHide;
    QRadioButton* m_calcShow;
    QRadioButton* m_calcHide;
    QLineEdit* Edit1;
    QToolButton* SpeedButton1;
    QRadioButton* m_timerOn;
    QRadioButton* m_timerOff;
    QSpinBox* SpinEdit1;
    QPushButton* BitBtn1;

    ColoredFont QuestionFont;
    ColoredFont AnswerFont;
    ColoredFont ExplanationFont;
};
