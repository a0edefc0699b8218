#pragma once

#include "ExamSession.h"
#include "ItemState.h"
#include "ItemView.h"
#include "SettingsStore.h"

#include <QDateTime>
#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>

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
class TStudyProgressForm;
class TProgressForm;
class Table;

// The test window: the candidate picks an exam on its welcome panel, takes it and reviews it.
// It is shown maximised in place of the start window and has three modes: home, exam, review.
class TTestForm : public QMainWindow {
    Q_OBJECT

    // First of all members: the tables below are the session's.
    ExamSession m_exam;

public:
    enum Mode {
        HomeMode = ExamSession::HomeMode,
        ExamModeValue = ExamSession::ExamModeValue,
        ReviewMode = ExamSession::ReviewMode
    };

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

    // The running exam and its values.
    ExamSession& examSession() { return m_exam; }
    int ExamMode() const { return m_exam.mode(); }
    QString ExamTitle() const { return m_exam.title(); }
    QString CandidateName() const { return m_exam.candidate(); }
    int ItemCount() const { return m_exam.itemCount(); }
    int FirstItemNo() const { return m_exam.firstItemNo(); }
    double TimeLimit() const { return m_exam.timeLimit(); }
    double ElapsedTime() const { return m_exam.elapsedTime(); }
    // The preferences as they apply now.
    const Settings& settings() const { return m_settings; }

    Table* const dtQSet;
    Table* const dtCurrentSet;
    DataSource* const dsCurrentSet;
    Table* const dtUserSet;

    void ReadWindowsDir();
    void LoadSettings();
    void ArrangeWelcomeButtons();
    void ExamControls();
    void ReviewControls();
    void CloseCurrentExam();
    void RestartExamTimer();

    // Starting an exam.
    void PrepareStartDialog(bool CountEditable);
    void StartBankExam();
    void StartUserExam();
    void startPracticeExam(int exam); // Action1Execute ... Action6Execute
    void AllQActExecute();
    void RandActExecute();
    void UserActExecute();

    // The Study menu: progress, and practice aimed at what was missed.
    void ProgressActExecute();
    void RetakeMissedActExecute();
    void RetakeMarkedActExecute();
    void WeakestSectionActExecute();
    void NeverCorrectActExecute();

    // The item view, answering and navigation.
    void LayoutItem();
    void ShowAnswerKey();
    void PrevButtonClick();
    void NextButtonClick();
    void RadioChoiceChanged();
    void CheckBoxClick(int choice);
    void ALabelClick(int choice);
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
    // Shows the settings: all of them when the window is created, what changed after the
    // options dialog.
    void applySettings(Settings settings);

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
    void startExam(ExamSession::Start start);
    void startChosenExam(ExamSession::Source source, const QSet<qint64>& items,
                         const QString& title);
    // The study history, ready to read; a damaged one is replaced, and said so.
    HistoryStore preparedHistory();
    std::optional<Attempt> latestAttempt();
    void examStarted();
    void reviewEntered();

    bool FormCloseQuery();
    void FormClose();
    void FormResize();
    void Button3Click();
    void Exit1Click();
    void About1Click();

    Session& m_session;
    SettingsStore& m_settingsStore;
    Settings m_settings;
    bool m_settingsApplied = false;
    QString WindowsDir;
    Windows m_windows;

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
    QMenu* m_studyMenu;
    QAction* ProgressAct;
    QAction* RetakeMissedAct;
    QAction* RetakeMarkedAct;
    QAction* WeakestSectionAct;
    QAction* NeverCorrectAct;

    ExhibitWindow* m_exhibitWindow = nullptr;
    TStudyProgressForm* m_studyProgress = nullptr;
    std::unique_ptr<QPrinter> m_itemPrinter; // keeps the print dialog's choices for the run
    QTimer* Timer1;
};
