#pragma once

#include "ItemState.h"
#include "ItemView.h"
#include "ScoreReport.h"
#include "SettingsStore.h"

#include <QDateTime>
#include <QFont>
#include <QMainWindow>

#include <functional>
#include <memory>

class DataSource;
class ExhibitWindow;
class HeaderBand;
class OutlinedLabel;
class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QWidget;
class Session;
class ShapedButton;
class QTimer;
class TAboutForm;
class TNameForm;
class TNoteForm;
class TOptionsForm;
class TddgRunButton;
class QPrinter;
class TReviewForm;
class TScoreForm;
class TProgressForm;
class Table;

// The test window: the candidate picks an exam on its welcome panel, takes it and reviews it.
// It is shown maximised in place of the start window and has three modes: home, exam, review.
class TTestForm : public QMainWindow {
    Q_OBJECT

public:
    enum Mode { HomeMode = 0, ExamModeValue = 1, ReviewMode = 3 };

    // The windows the test window opens; they are created after it.
    struct Windows {
        TProgressForm* progress = nullptr;
        TScoreForm* score = nullptr;
        TNameForm* name = nullptr;
        TReviewForm* review = nullptr;
        TNoteForm* note = nullptr;
        TOptionsForm* options = nullptr;
        TAboutForm* about = nullptr;
    };

    TTestForm(Session& session, ItemStates& itemStates, SettingsStore& settingsStore,
              QWidget* parent = nullptr);
    ~TTestForm() override;

    void setWindows(const Windows& windows);

    // The values of the running exam.
    int ExamMode = HomeMode;
    QString ExamTitle;
    QString CandidateName;
    int ItemCount = 0;
    int FirstItemNo = 0;
    double TimeLimit = 0;
    double ElapsedTime = 0;
    bool ShowLearnBtn = false;
    bool TimerOn = true;
    bool ShowCalcBtn = true;
    QString CalcPath;
    QString WindowsDir;
    int DefaultTime = 90;

    Table* dtQSet;
    Table* dtCurrentSet;
    DataSource* dsCurrentSet;
    Table* dtUserSet;

    void ReadWindowsDir();
    void LoadSettings();
    void ArrangeWelcomeButtons();
    void ExamControls();
    void ReviewControls();
    void CloseCurrentExam();
    void RestartExamTimer();

    // Starting an exam.
    void PrepareStartDialog(bool CountEditable);
    // Opens the working copy of the exam; a damaged one is set aside and started anew, since
    // every exam rebuilds it and nothing of the candidate's lives in it.
    void openWorkingCopy();
    void StartBankExam();
    void StartUserExam();
    void startPracticeExam(int exam); // Action1Execute ... Action6Execute
    void AllQActExecute();
    void RandActExecute();
    void UserActExecute();

    // The item view, answering and navigation.
    void LayoutItem();
    void ShowAnswerKey();
    void PrevButtonClick();
    void NextButtonClick();
    void RadioChoiceChanged();
    void CheckBoxClick(int choice);
    void ALabelClick(int choice);
    void EvaluateItem();
    void MarkBoxClick();
    void LearnButtonClick();
    void ExhibitButtonClick(int exhibit);

    // Grading and the items review.
    void GradeButtonClick();
    void GradeExam();
    void ComputeTotalScore();
    void ComputeSectionResults();
    void Button1Click();
    void viewAnswers();

    // The answer state of the item on screen.
    ItemState& currentItemState();

    // The exam timer.
    void Timer1Timer();
    void TimeExpiredPrompt();
    // The options dialog.
    void Preferences1Click();
    // Notes and printing.
    void NoteButtonClick();
    void Print1Click();

    // The timer's clock: the local time now. Tests replace it.
    void setClock(std::function<QDateTime()> clock);

signals:
    // The window has closed; the start window shows again.
    void formClosed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildHeader();
    void buildWelcomePanel();
    void buildItemArea();
    void buildButtonRow();
    void buildMenus();
    void placeHeaderControls();
    void placeWelcomeControls();
    void placeButtonRow();

    void dsCurrentSetDataChange(const QString& fieldName);
    void closeItemDialogs();
    ItemView::Mode viewMode() const;
    bool showStartDialog();
    void runBankBuild(bool random);

    bool FormCloseQuery();
    void FormClose();
    void FormResize();
    void Button3Click();
    void Exit1Click();
    void About1Click();

    Session& m_session;
    ItemStates& m_itemStates;
    SettingsStore& m_settingsStore;
    Windows m_windows;

    // The fonts the item texts have by design; the stored settings start from them each run.
    QFont m_designQuestionFont;
    QFont m_designAnswerFont;
    QFont m_designExplanationFont;

    // Header.
    HeaderBand* Panel1;
    OutlinedLabel* fcLabel1;
    OutlinedLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QCheckBox* MarkBox;
    QLabel* CorrectLabel;
    OutlinedLabel* TimeLabel;
    QLabel* ReviewLabel;

    // Middle.
    QFrame* Panel3;
    QScrollArea* ScrollBox1;
    ItemArea m_area;
    QLabel* QText;
    QLabel* ExpText;
    TddgRunButton* CalcButton;
    ItemState m_noItemState; // shown when the item has no state, which a sound build never gives

    QWidget* Panel4;
    OutlinedLabel* fcLabel5;
    QLabel* fcLabel3;
    QFrame* Panel5;
    OutlinedLabel* fcLabel4;
    QList<ShapedButton*> m_examButtons; // fcShapeBtn1 ... fcShapeBtn6
    ShapedButton* AllQBtn;
    ShapedButton* RandomBtn;
    ShapedButton* UserBtn;

    // Bottom row.
    QWidget* Panel2;
    QPushButton* PrevButton;
    QPushButton* NextButton;
    QPushButton* LearnButton;
    QPushButton* Button1;
    QPushButton* NoteButton;
    QPushButton* GradeButton;
    QPushButton* Button3;

    // Menus and actions.
    QMenu* m_examsMenu;
    QAction* Preferences1;
    QAction* Print1;
    QAction* Exit1;
    QAction* About1;
    QList<QAction*> m_practiceActions; // Action1 ... Action6
    QAction* AllQAct;
    QAction* RandAct;
    QAction* UserAct;

    ExhibitWindow* m_exhibitWindow = nullptr;
    ScoreReportContent m_results;
    bool m_graded = false;                   // the running exam has been graded
    std::unique_ptr<QPrinter> m_itemPrinter; // keeps the print dialog's choices for the run
    QTimer* Timer1;
    QDateTime m_timerStart;
    std::function<QDateTime()> m_clock;
};
