#include "TTestForm.h"

#include "ClickableLabel.h"
#include "DataError.h"
#include "ErrorBoundary.h"
#include "ExhibitWindow.h"
#include "FieldNames.h"
#include "HeaderBand.h"
#include "ItemReport.h"
#include "Look.h"
#include "MnemonicPriority.h"
#include "OutlinedLabel.h"
#include "PrintDialog.h"
#include "Prompt.h"
#include "ReviewList.h"
#include "ScoreArithmetic.h"
#include "SectionTitles.h"
#include "Session.h"
#include "ShapedButton.h"
#include "StudyPlan.h"
#include "TAboutForm.h"
#include "TNameForm.h"
#include "TNoteForm.h"
#include "TOptionsForm.h"
#include "TProgressForm.h"
#include "TReviewForm.h"
#include "TScoreForm.h"
#include "TStudyProgressForm.h"
#include "Table.h"
#include "TddgRunButton.h"
#include "TimeFormat.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QColor Purple(128, 0, 128);
const QColor Navy(0, 0, 128);

} // namespace

TTestForm::TTestForm(Session& session, ItemStates& itemStates, SettingsStore& settingsStore,
                     QWidget* parent)
    : QMainWindow(parent), m_exam(session, itemStates), dtQSet(m_exam.bank()),
      dtCurrentSet(m_exam.currentSet()), dsCurrentSet(m_exam.currentSource()),
      dtUserSet(m_exam.userSet()), m_session(session), m_settingsStore(settingsStore)
{
    setObjectName(QStringLiteral("TestForm"));
    setMinimumSize(732, 502);
    resize(732, 505);
    setWindowModality(Qt::ApplicationModal);

    ErrorBoundary::connect(&m_exam, &ExamSession::itemChanged, this,
                           [this] { dsCurrentSetDataChange(QString()); });
    ErrorBoundary::connect(&m_exam, &ExamSession::started, this, &TTestForm::examStarted);
    ErrorBoundary::connect(&m_exam, &ExamSession::reviewEntered, this, &TTestForm::reviewEntered);
    connect(&m_exam, &ExamSession::workingCopyReplaced, this,
            [this](const QString& message) { Prompt::information(this, message); });
    connect(&m_exam, &ExamSession::historyNotice, this,
            [this](const QString& message) { Prompt::information(this, message); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    ErrorBoundary::connect(Timer1, &QTimer::timeout, this, &TTestForm::Timer1Timer);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);

    buildHeader();
    buildItemArea();
    buildWelcomePanel();
    buildButtonRow();
    buildMenus();
    new MnemonicPriority(this);
    layout->addWidget(Panel1);
    layout->addWidget(Panel3, 1);
    layout->addWidget(Panel2);

    // The creation steps, in their order.
    m_session.addPassword(QStringLiteral("Kovalpt8261"));
    setWindowState(windowState() | Qt::WindowMaximized);
    setWindowTitle(QStringLiteral("Tessaly 4"));
    ReadWindowsDir();
    LoadSettings();
}

TTestForm::~TTestForm() = default;

void TTestForm::setWindows(const Windows& windows)
{
    m_windows = windows;
    m_exam.setProgress(m_windows.progress);
    if (m_windows.score) {
        ErrorBoundary::connect(m_windows.score, &TScoreForm::viewAnswersRequested, this,
                               &TTestForm::viewAnswers);
        ErrorBoundary::connect(m_windows.score, &TScoreForm::exitExamRequested, this,
                               &TTestForm::CloseCurrentExam);
    }
    if (m_windows.note)
        m_windows.note->bind(dsCurrentSet, dtQSet);
    if (m_windows.review) {
        ErrorBoundary::connect(m_windows.review, &TReviewForm::goToItemRequested, this,
                               [this](int item) { dtCurrentSet->setRecNo(item); });
    }
}

void TTestForm::buildHeader()
{
    Panel1 = new HeaderBand(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));

    fcLabel1 =
        new OutlinedLabel(QStringLiteral("Exam SA-410: Linux Server Administration"), Panel1);
    fcLabel1->setObjectName(QStringLiteral("fcLabel1"));
    fcLabel1->setFont(Look::pixelFont(QStringLiteral("Arial"), 19, true, true));
    fcLabel1->setTextColor(Qt::white);
    fcLabel1->setOutlineColor(QColor(20, 30, 60));
    fcLabel1->setShadow(2);

    Label1 = new OutlinedLabel(QString(), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(Look::pixelFont(QStringLiteral("Verdana"), 13, true));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setShadow(1, QColor(30, 30, 30));

    Label2 = Look::plainLabel(QStringLiteral("Label2"), QString(), Panel1);
    Label2->setFont(Look::pixelFont(QStringLiteral("Verdana"), 13));

    Label3 = Look::plainLabel(QStringLiteral("Label3"), QString(), Panel1);
    Label3->setFont(Look::pixelFont(QStringLiteral("Verdana"), 13, true));
    Label3->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Look::setTextColor(Label3, QColor(128, 128, 128));

    MarkBox = new QCheckBox(QStringLiteral("&Mark this item"), Panel1);
    MarkBox->setObjectName(QStringLiteral("MarkBox"));
    ErrorBoundary::connect(MarkBox, &QCheckBox::clicked, this, &TTestForm::MarkBoxClick);
    MarkBox->setFont(Look::pixelFont(QStringLiteral("Verdana"), 13, true));
    Look::setTextColor(MarkBox, Qt::black);

    CorrectLabel = Look::plainLabel(QStringLiteral("CorrectLabel"), QString(), Panel1);
    CorrectLabel->setFont(Look::pixelFont(QStringLiteral("Verdana"), 13, true));

    TimeLabel = new OutlinedLabel(QString(), Panel1);
    TimeLabel->setObjectName(QStringLiteral("TimeLabel"));
    TimeLabel->setFont(Look::pixelFont(QStringLiteral("Verdana"), 13, true));
    TimeLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    TimeLabel->setShadow(1, QColor(30, 30, 30));

    ReviewLabel =
        Look::plainLabel(QStringLiteral("ReviewLabel"), QStringLiteral("Review items"), Panel1);
    ReviewLabel->setFont(Look::pixelFont(QStringLiteral("Verdana"), 13, true));
    ReviewLabel->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    Look::setTextColor(ReviewLabel, Navy);

    // Home mode by design: only the subject title shows.
    for (QWidget* widget : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2),
                            static_cast<QWidget*>(Label3), static_cast<QWidget*>(MarkBox),
                            static_cast<QWidget*>(CorrectLabel), static_cast<QWidget*>(TimeLabel),
                            static_cast<QWidget*>(ReviewLabel)})
        widget->hide();

    connect(Panel1, &HeaderBand::resized, this, &TTestForm::placeHeaderControls);
}

void TTestForm::placeHeaderControls()
{
    const int width = Panel1->width();
    const int height = Panel1->height();
    fcLabel1->setGeometry(0, 0, width, height);
    Label1->setGeometry(6, 3, 118, 18);
    Label2->setGeometry(124, 3, qMax(0, width / 2 - 124), 18);
    Label3->setGeometry(width / 2, 3, width / 2 - 6, 18);
    MarkBox->setGeometry(6, 22, 200, 20);
    CorrectLabel->setGeometry(6, 23, 200, 18);
    TimeLabel->setGeometry(width - 206, 23, 200, 18);
    ReviewLabel->setGeometry(width - 306, height - 21, 300, 18);
}

void TTestForm::buildItemArea()
{
    Panel3 = new QFrame(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Look::makeWhite(Panel3);
    auto* layout = new QVBoxLayout(Panel3);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);

    ScrollBox1 = new QScrollArea(Panel3);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ScrollBox1->setWidgetResizable(false);
    Look::makeWhite(ScrollBox1, false);
    ScrollBox1->setFont(Look::pixelFont(QStringLiteral("MS Sans Serif"), 13));
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("ItemContent"));
    Look::makeWhite(content);
    ScrollBox1->setWidget(content);
    ScrollBox1->hide();

    CalcButton = new TddgRunButton;
    CalcButton->setObjectName(QStringLiteral("CalcButton"));
    CalcButton->setFixedSize(37, 29);
    m_area.build(ScrollBox1, CalcButton);
    m_area.MarkBox = MarkBox;
    m_area.CorrectLabel = CorrectLabel;
    QText = m_area.QText;
    QText->setFont(designItemFont());
    ExpText = m_area.ExpText;
    ExpText->setFont(designItemFont());
    Look::setTextColor(ExpText, Navy);

    for (int i = 0; i < 6; ++i) {
        ErrorBoundary::connect(m_area.RadioButton[std::size_t(i)], &QAbstractButton::clicked, this,
                               &TTestForm::RadioChoiceChanged);
        ErrorBoundary::connect(m_area.CheckBox[std::size_t(i)], &QAbstractButton::clicked, this,
                               [this, i] { CheckBoxClick(i + 1); });
        ErrorBoundary::connect(m_area.ALabel[std::size_t(i)], &ClickableLabel::clicked, this,
                               [this, i] { ALabelClick(i + 1); });
    }
    ErrorBoundary::connect(m_area.ExhBtnA, &QPushButton::clicked, this,
                           [this] { ExhibitButtonClick(1); });
    ErrorBoundary::connect(m_area.ExhBtnB, &QPushButton::clicked, this,
                           [this] { ExhibitButtonClick(2); });

    layout->addWidget(ScrollBox1);
}

void TTestForm::buildWelcomePanel()
{
    Panel4 = new QWidget(Panel3);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->installEventFilter(this);

    fcLabel5 = new OutlinedLabel(QStringLiteral("Welcome to Tessaly 4.0"), Panel4);
    fcLabel5->setObjectName(QStringLiteral("fcLabel5"));
    fcLabel5->setFont(Look::pixelFont(QStringLiteral("Arial"), 16, true, true));
    fcLabel5->setTextColor(QColor(0, 255, 255));
    fcLabel5->setOutlineColor(QColor(0, 70, 90));
    fcLabel5->setShadow(2, QColor(150, 150, 150));

    fcLabel3 = Look::plainLabel(QStringLiteral("fcLabel3"),
                                QStringLiteral("Practice exams for Exam SA-410\nLinux Server "
                                               "Administration"),
                                Panel4);
    fcLabel3->setFont(Look::pixelFont(QStringLiteral("MS Sans Serif"), 13));
    fcLabel3->setAlignment(Qt::AlignCenter);
    fcLabel3->setWordWrap(true);

    Panel5 = new QFrame(Panel4);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    fcLabel4 = new OutlinedLabel(
        QStringLiteral("Please select the practice exam you want to begin."), Panel5);
    fcLabel4->setObjectName(QStringLiteral("fcLabel4"));
    fcLabel4->setFont(Look::pixelFont(QStringLiteral("Arial"), 16, true, true));
    fcLabel4->setTextColor(QColor(0, 255, 0));
    fcLabel4->setOutlineColor(QColor(0, 80, 0));
    fcLabel4->setShadow(2, QColor(150, 150, 150));

    const QFont buttonFont = Look::pixelFont(QStringLiteral("MS Sans Serif"), 13);
    const QString letters = QStringLiteral("ABCDEF");
    for (int i = 0; i < 6; ++i) {
        auto* button = new ShapedButton(QStringLiteral("&") + letters[i], Panel5);
        button->setObjectName(QStringLiteral("fcShapeBtn%1").arg(i + 1));
        button->setColor(Purple);
        button->setFont(buttonFont);
        button->setFixedSize(30, 30);
        m_examButtons.append(button);
    }
    auto makeWide = [&](const QString& name, const QString& caption) {
        auto* button = new ShapedButton(caption, Panel4);
        button->setObjectName(name);
        button->setColor(Navy);
        button->setFont(buttonFont);
        button->setFixedSize(109, 30);
        return button;
    };
    AllQBtn = makeWide(QStringLiteral("AllQBtn"), QStringLiteral("All &Questions"));
    RandomBtn = makeWide(QStringLiteral("RandomBtn"), QStringLiteral("&Random Exam"));
    UserBtn = makeWide(QStringLiteral("UserBtn"), QStringLiteral("&User Exam"));

    Panel3->layout()->addWidget(Panel4);
}

void TTestForm::placeWelcomeControls()
{
    const int width = Panel4->width();
    int top = 17;
    fcLabel5->setGeometry(0, top, width, fcLabel5->sizeHint().height());
    top += fcLabel5->height();
    const int textHeight = fcLabel3->heightForWidth(width);
    fcLabel3->setGeometry(0, top, width, textHeight);
    top += textHeight + 7;
    Panel5->setGeometry(0, top, width, qMax(80, 168 - top - 4));
    fcLabel4->setGeometry(5, 5, width - 10, fcLabel4->sizeHint().height());
    for (ShapedButton* button : m_examButtons)
        button->move(button->x(), 43);
    for (ShapedButton* button : {AllQBtn, RandomBtn, UserBtn})
        button->move(button->x(), 168);
    ArrangeWelcomeButtons();
}

void TTestForm::ArrangeWelcomeButtons()
{
    const int outerWidth = frameGeometry().width();
    const int w = m_examButtons.first()->width();
    int left = ScoreArithmetic::roundHalfEven((outerWidth - 6.0 * w - 30) / 2);
    for (ShapedButton* button : m_examButtons) {
        button->move(left, button->y());
        left += button->width() + 6;
    }
    const int v = AllQBtn->width();
    left = ScoreArithmetic::roundHalfEven((outerWidth - 3.0 * v - 12) / 2);
    for (ShapedButton* button : {AllQBtn, RandomBtn, UserBtn}) {
        button->move(left, button->y());
        left += button->width() + 6;
    }
}

void TTestForm::buildButtonRow()
{
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(41);
    Panel2->installEventFilter(this);
    const QFont font = Look::pixelFont(QStringLiteral("MS Sans Serif"), 13);
    auto make = [&](const QString& name, const QString& caption, int left, int width) {
        auto* button = new QPushButton(caption, Panel2);
        button->setObjectName(name);
        button->setFont(font);
        button->setGeometry(left, 8, width, 29);
        return button;
    };
    PrevButton = make(QStringLiteral("PrevButton"), QStringLiteral("&< Previous Item"), 4, 109);
    NextButton = make(QStringLiteral("NextButton"), QStringLiteral("Next Item &>"), 116, 109);
    LearnButton = make(QStringLiteral("LearnButton"), QStringLiteral("&Learn Now"), 236, 93);
    Button1 = make(QStringLiteral("Button1"), QStringLiteral("Items &Review"), 332, 93);
    NoteButton = make(QStringLiteral("NoteButton"), QStringLiteral("&Note"), 428, 93);
    GradeButton = make(QStringLiteral("GradeButton"), QStringLiteral("&Grade Now"), 0, 93);
    Button3 = make(QStringLiteral("Button3"), QStringLiteral("E&xit Exam"), 0, 93);
    Panel2->hide();

    ErrorBoundary::connect(Button3, &QPushButton::clicked, this, &TTestForm::Button3Click);
    ErrorBoundary::connect(PrevButton, &QPushButton::clicked, this, &TTestForm::PrevButtonClick);
    ErrorBoundary::connect(NextButton, &QPushButton::clicked, this, &TTestForm::NextButtonClick);
    ErrorBoundary::connect(LearnButton, &QPushButton::clicked, this, &TTestForm::LearnButtonClick);
    ErrorBoundary::connect(GradeButton, &QPushButton::clicked, this, &TTestForm::GradeButtonClick);
    ErrorBoundary::connect(Button1, &QPushButton::clicked, this, &TTestForm::Button1Click);
    ErrorBoundary::connect(NoteButton, &QPushButton::clicked, this, &TTestForm::NoteButtonClick);
}

void TTestForm::placeButtonRow()
{
    const int width = Panel2->width();
    Button3->move(width - 2 - Button3->width(), 8);
    GradeButton->move(Button3->x() - 3 - GradeButton->width(), 8);
}

void TTestForm::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    Preferences1 = file->addAction(QStringLiteral("&Options..."));
    Preferences1->setObjectName(QStringLiteral("Preferences1"));
    Print1 = file->addAction(QStringLiteral("&Print this item"));
    Print1->setObjectName(QStringLiteral("Print1"));
    Print1->setEnabled(false);
    file->addSeparator();
    Exit1 = file->addAction(QStringLiteral("E&xit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    ErrorBoundary::connect(Exit1, &QAction::triggered, this, &TTestForm::Exit1Click);
    ErrorBoundary::connect(Print1, &QAction::triggered, this, &TTestForm::Print1Click);
    ErrorBoundary::connect(Preferences1, &QAction::triggered, this, &TTestForm::Preferences1Click);

    m_examsMenu = menuBar()->addMenu(QStringLiteral("Exa&ms"));
    m_examsMenu->setObjectName(QStringLiteral("ExamsMenu"));
    const QString letters = QStringLiteral("ABCDEF");
    for (int i = 0; i < 6; ++i) {
        QAction* action = m_examsMenu->addAction(QStringLiteral("Practice Exam &") + letters[i]);
        action->setObjectName(QStringLiteral("Action%1").arg(i + 1));
        m_practiceActions.append(action);
        connect(m_examButtons[i], &QAbstractButton::clicked, action, &QAction::trigger);
    }
    m_examsMenu->addSeparator();
    AllQAct = m_examsMenu->addAction(QStringLiteral("&Take All &Questions"));
    AllQAct->setObjectName(QStringLiteral("AllQAct"));
    RandAct = m_examsMenu->addAction(QStringLiteral("&Random Exam"));
    RandAct->setObjectName(QStringLiteral("RandAct"));
    UserAct = m_examsMenu->addAction(QStringLiteral("&User Exam"));
    UserAct->setObjectName(QStringLiteral("UserAct"));
    connect(AllQBtn, &QAbstractButton::clicked, AllQAct, &QAction::trigger);
    connect(RandomBtn, &QAbstractButton::clicked, RandAct, &QAction::trigger);
    connect(UserBtn, &QAbstractButton::clicked, UserAct, &QAction::trigger);
    for (int i = 0; i < 6; ++i) {
        ErrorBoundary::connect(m_practiceActions[i], &QAction::triggered, this,
                               [this, i] { startPracticeExam(i + 1); });
    }
    ErrorBoundary::connect(AllQAct, &QAction::triggered, this, &TTestForm::AllQActExecute);
    ErrorBoundary::connect(RandAct, &QAction::triggered, this, &TTestForm::RandActExecute);
    ErrorBoundary::connect(UserAct, &QAction::triggered, this, &TTestForm::UserActExecute);

    m_studyMenu = menuBar()->addMenu(QStringLiteral("&Study"));
    m_studyMenu->setObjectName(QStringLiteral("StudyMenu"));
    auto studyAction = [this](const char* name, const QString& text, void (TTestForm::*handler)()) {
        QAction* action = m_studyMenu->addAction(text);
        action->setObjectName(QLatin1String(name));
        ErrorBoundary::connect(action, &QAction::triggered, this, handler);
        return action;
    };
    ProgressAct =
        studyAction("ProgressAct", QStringLiteral("&Progress..."), &TTestForm::ProgressActExecute);
    m_studyMenu->addSeparator();
    RetakeMissedAct = studyAction("RetakeMissedAct", QStringLiteral("Retake &Missed Items"),
                                  &TTestForm::RetakeMissedActExecute);
    RetakeMarkedAct = studyAction("RetakeMarkedAct", QStringLiteral("Retake Mar&ked Items"),
                                  &TTestForm::RetakeMarkedActExecute);
    WeakestSectionAct = studyAction("WeakestSectionAct", QStringLiteral("&Weakest Section"),
                                    &TTestForm::WeakestSectionActExecute);
    NeverCorrectAct = studyAction("NeverCorrectAct", QStringLiteral("Never &Answered Correctly"),
                                  &TTestForm::NeverCorrectActExecute);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    About1 = help->addAction(QStringLiteral("Ab&out"));
    About1->setObjectName(QStringLiteral("About1"));
    ErrorBoundary::connect(About1, &QAction::triggered, this, &TTestForm::About1Click);
}

void TTestForm::ReadWindowsDir()
{
    // Only Windows has a Windows folder; elsewhere the default calculator is looked up on the
    // search path instead.
#ifdef Q_OS_WIN
    WindowsDir = QString::fromLocal8Bit(qgetenv("SystemRoot"));
#else
    WindowsDir.clear();
#endif
}

void TTestForm::LoadSettings()
{
    applySettings(m_settingsStore.load(SettingsStore::defaultCalcPath(WindowsDir)));
}

void TTestForm::applySettings(Settings settings)
{
    const bool created = !m_settingsApplied;
    const Settings previous = m_settings;
    m_settingsApplied = true;

    // Fonts show at the next item change or resize.
    applyFontSetting(QText, settings.question);
    applyFontSetting(ScrollBox1, settings.answer);
    applyFontSetting(ExpText, settings.explanation);
    LearnButton->setVisible(settings.ShowLearnBtn);
    if (created) {
        // A stored program that no longer exists, or is no program, hides the button quietly.
        const QString& path = settings.CalcPath;
        if (QFileInfo::exists(path) && TddgRunButton::rejection(path).isEmpty()) {
            CalcButton->setCommandLine(path);
            CalcButton->setVisible(settings.ShowCalcBtn);
        } else {
            CalcButton->setVisible(false);
            settings.ShowCalcBtn = false;
        }
        m_settings = settings;
        return;
    }
    if (previous.ShowCalcBtn != settings.ShowCalcBtn)
        CalcButton->setVisible(settings.ShowCalcBtn);
    if (previous.CalcPath != settings.CalcPath)
        CalcButton->setCommandLine(settings.CalcPath); // a rejected path is reported, and kept
    m_settings = settings;
    if (previous.TimerOn != settings.TimerOn)
        RestartExamTimer(); // during an exam the countdown starts again from the full limit
}

void TTestForm::ExamControls()
{
    Panel4->hide();
    ScrollBox1->show();
    ScrollBox1->setEnabled(true);
    Panel2->show();
    fcLabel1->hide();
    Label1->show();
    Label2->show();
    Label3->show();
    MarkBox->show();
    TimeLabel->show();
    ReviewLabel->hide();
    CorrectLabel->hide();
    GradeButton->setText(QStringLiteral("Grade Now"));
    m_examsMenu->setEnabled(false);
    m_studyMenu->setEnabled(false);
    Print1->setEnabled(true);
    LearnButton->setEnabled(true);
}

void TTestForm::ReviewControls()
{
    MarkBox->hide();
    TimeLabel->hide();
    ReviewLabel->show();
    CorrectLabel->show();
    LearnButton->setEnabled(false);
}

void TTestForm::CloseCurrentExam()
{
    m_exam.close();

    Panel4->show();
    ScrollBox1->hide();
    Panel2->hide();
    fcLabel1->show();
    Label1->hide();
    Label2->hide();
    Label3->hide();
    MarkBox->hide();
    TimeLabel->hide();
    ReviewLabel->hide();
    CorrectLabel->hide();
    m_examsMenu->setEnabled(true);
    m_studyMenu->setEnabled(true);
    Print1->setEnabled(false);
    NoteButton->show();
    Timer1->stop();
    ArrangeWelcomeButtons();
}

void TTestForm::setClock(std::function<QDateTime()> clock)
{
    m_exam.setClock(std::move(clock));
}

void TTestForm::RestartExamTimer()
{
    m_exam.setTimerOn(m_settings.TimerOn);
    const bool running = m_exam.clockRuns(m_settings.TimerOn);
    TimeLabel->setVisible(running);
    TimeLabel->setText(TimeFormat::format(m_exam.timeLimit()));
    Timer1->setInterval(1000);
    if (running)
        Timer1->start();
    else
        Timer1->stop();
    m_exam.restartClock();
}

void TTestForm::Timer1Timer()
{
    const ExamSession::Tick tick = m_exam.tick();
    TimeLabel->setText(TimeFormat::format(tick.remaining));
    if (tick.expired) {
        Timer1->stop();
        TimeExpiredPrompt();
    }
}

void TTestForm::TimeExpiredPrompt()
{
    if (Prompt::ask(this, Prompt::Kind::Information,
                    QStringLiteral("Your time has expired.\nDo you want continue the exam anyway?"),
                    QMessageBox::No | QMessageBox::Ok) == QMessageBox::No) {
        GradeButtonClick();
    } else {
        TimeLabel->hide(); // the exam goes on without a limit
    }
}

void TTestForm::Preferences1Click()
{
    m_windows.options->prepare(m_settings);
    if (m_windows.options->exec() != QDialog::Accepted)
        return;
    applySettings(m_windows.options->values());
    m_settingsStore.save(m_settings);
}

void TTestForm::NoteButtonClick()
{
    if (!dtCurrentSet->isActive() || dtCurrentSet->recordCount() == 0)
        return;
    m_windows.note->setItemLine(m_exam.title() + QStringLiteral(",  Item ID: ") +
                                QString::number(dtCurrentSet->fieldInt(Field::QOrNumber)));
    m_windows.note->exec();
}

void TTestForm::Print1Click()
{
    if (!dtCurrentSet->isActive() || dtCurrentSet->recordCount() == 0)
        return;
    const ItemRecord record = ItemRecord::fromCurrent(*dtCurrentSet);
    const ItemReport::Content content = ItemReport::make(
        m_exam.title(), dtCurrentSet->recNo(), QText->text(), record.choices, record.explanation);
    if (!m_itemPrinter) {
        m_itemPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_itemPrinter->setDocName(QStringLiteral("Report"));
        m_itemPrinter->setFromTo(1, 1);
    }
    if (PrintDialog::exec(*m_itemPrinter, this) && !ItemReport::print(*m_itemPrinter, content))
        PrintDialog::reportFailure(*m_itemPrinter, this);
}

void TTestForm::dsCurrentSetDataChange(const QString& fieldName)
{
    Q_UNUSED(fieldName)
    // The note window edits the current record; the item behind it stays as it is.
    if (m_exam.mode() == HomeMode || !dtCurrentSet->isActive() ||
        (m_windows.note && m_windows.note->isVisible()))
        return;
    const int recordNumber = dtCurrentSet->recNo();
    PrevButton->setEnabled(recordNumber != m_exam.firstItemNo());
    NextButton->setEnabled(recordNumber != m_exam.itemCount());
    Label1->setText(QStringLiteral("Item %1 of %2").arg(recordNumber).arg(m_exam.itemCount()));
    Label2->setText(QStringLiteral("Item ID: %1").arg(dtCurrentSet->fieldInt(Field::QOrNumber)));
    if (dtCurrentSet->recordCount() == 0) {
        ItemView::ShowNoItem(m_area);
        return;
    }
    const ItemRecord record = ItemRecord::fromCurrent(*dtCurrentSet);
    ItemView::LayoutItem(m_area, record, currentItemState());
    ItemView::ShowAnswerKey(m_area, record, currentItemState(), viewMode());
}

ItemState& TTestForm::currentItemState()
{
    return m_exam.currentItemState();
}

void TTestForm::LayoutItem()
{
    if (!dtCurrentSet->isActive() || dtCurrentSet->recordCount() == 0)
        return;
    ItemView::LayoutItem(m_area, ItemRecord::fromCurrent(*dtCurrentSet), currentItemState());
}

void TTestForm::ShowAnswerKey()
{
    if (!dtCurrentSet->isActive() || dtCurrentSet->recordCount() == 0)
        return;
    ItemView::ShowAnswerKey(m_area, ItemRecord::fromCurrent(*dtCurrentSet), currentItemState(),
                            viewMode());
}

ItemView::Mode TTestForm::viewMode() const
{
    return m_exam.mode() == ReviewMode      ? ItemView::Mode::Review
           : m_exam.mode() == ExamModeValue ? ItemView::Mode::Exam
                                            : ItemView::Mode::Home;
}

void TTestForm::PrevButtonClick()
{
    dtCurrentSet->prior();
}

void TTestForm::NextButtonClick()
{
    dtCurrentSet->next();
}

void TTestForm::RadioChoiceChanged()
{
    std::array<bool, 6> selected{};
    for (std::size_t i = 0; i < selected.size(); ++i)
        selected[i] = m_area.RadioButton[i]->isChecked();
    if (!m_exam.setSelected(selected) && m_exam.mode() == ReviewMode)
        ItemView::setAnswerControls(m_area, false, currentItemState()); // the click is undone
}

void TTestForm::CheckBoxClick(int choice)
{
    const std::size_t n = std::size_t(choice - 1);
    if (!m_exam.setChoiceSelected(choice, m_area.CheckBox[n]->isChecked()) &&
        m_exam.mode() == ReviewMode)
        m_area.CheckBox[n]->setChecked(currentItemState().Selected[n] != 0);
}

void TTestForm::ALabelClick(int choice)
{
    const std::size_t n = std::size_t(choice - 1);
    if (!m_area.RadioButton[n]->isHidden())
        m_area.RadioButton[n]->click();
    else
        m_area.CheckBox[n]->click();
}

void TTestForm::MarkBoxClick()
{
    m_exam.setMarked(MarkBox->isChecked());
}

void TTestForm::LearnButtonClick()
{
    if (!dtCurrentSet->isActive() || dtCurrentSet->recordCount() == 0)
        return;
    ItemView::RevealAnswer(m_area, ItemRecord::fromCurrent(*dtCurrentSet));
    m_exam.markLearned();
}

void TTestForm::ExhibitButtonClick(int exhibit)
{
    if (!dtCurrentSet->isActive())
        return;
    const QByteArray data = dtCurrentSet->fieldBytes(exhibit == 1 ? Field::Pict1 : Field::Pict2);
    if (!m_exhibitWindow)
        m_exhibitWindow = new ExhibitWindow(this);
    m_exhibitWindow->setExhibit(QStringLiteral("Exhibit %1").arg(exhibit), data);
    m_exhibitWindow->exec();
}

void TTestForm::PrepareStartDialog(bool CountEditable)
{
    m_windows.name->setQuestionCount(m_exam.countExamItems(), CountEditable);
}

void TTestForm::startExam(ExamSession::Start start)
{
    if (m_windows.name->exec() != QDialog::Accepted)
        return;
    start.candidate = m_windows.name->candidateName();
    start.minutes = m_windows.name->minutes();
    if (start.random)
        start.count = m_windows.name->questionCount();
    m_exam.start(start);
}

void TTestForm::examStarted()
{
    Label3->setText(m_exam.title());
    ExamControls();
    NoteButton->setVisible(m_exam.source() == ExamSession::Source::Bank); // notes are the bank's
    dtCurrentSet->first();
    RestartExamTimer();
}

void TTestForm::StartBankExam()
{
    m_windows.name->setMinutes(m_settings.DefaultTime);
    startExam({});
}

void TTestForm::startPracticeExam(int exam)
{
    const QString letter = QString(QChar('A' + exam - 1));
    PrepareStartDialog(false);
    m_windows.name->setWindowTitle(QStringLiteral("Begin Practice Exam ") + letter);
    m_exam.setTitle(QStringLiteral("Practice Exam ") + letter);
    m_exam.setBankFilter(QStringLiteral("Q_EXAM_N=%1").arg(exam));
    StartBankExam();
}

void TTestForm::AllQActExecute()
{
    PrepareStartDialog(false);
    m_windows.name->setWindowTitle(QStringLiteral("Take All Questions"));
    m_exam.setTitle(QStringLiteral("All Questions"));
    m_exam.setBankFilter(QStringLiteral("Q_EXAM_N<>0"));
    StartBankExam();
}

void TTestForm::RandActExecute()
{
    m_windows.name->setWindowTitle(QStringLiteral("Random Exam"));
    PrepareStartDialog(true);
    m_exam.setTitle(QStringLiteral("Random Exam"));
    m_exam.setBankFilter(QStringLiteral("Q_EXAM_N<>0"));
    // The time field keeps what the candidate last entered.
    ExamSession::Start start;
    start.random = true;
    startExam(start);
}

void TTestForm::UserActExecute()
{
    dtUserSet->open();
    if (dtUserSet->recordCount() == 0) {
        dtUserSet->close();
        Prompt::information(this, QStringLiteral("User defined question set is empty!"));
        return;
    }
    // The User Exam does not need the bank: without one its count field just shows nothing.
    try {
        PrepareStartDialog(false);
    } catch (const DataError&) {
        dtQSet->close();
        m_windows.name->setQuestionCount(0, false);
    }
    m_windows.name->setWindowTitle(QStringLiteral("User Exam"));
    m_exam.setTitle(QStringLiteral("User Exam"));
    StartUserExam();
}

void TTestForm::StartUserExam()
{
    m_windows.name->setMinutes(m_settings.DefaultTime);
    // Cancelled, the personal table stays open until the window goes home.
    ExamSession::Start start;
    start.source = ExamSession::Source::User;
    startExam(start);
}

HistoryStore TTestForm::preparedHistory()
{
    HistoryStore history = m_exam.history();
    const QString notice = history.prepare();
    if (!notice.isEmpty())
        Prompt::information(this, notice);
    return history;
}

std::optional<Attempt> TTestForm::latestAttempt()
{
    std::optional<Attempt> latest = preparedHistory().latest();
    if (!latest)
        Prompt::information(this, QStringLiteral("No graded exam has been recorded yet."));
    return latest;
}

void TTestForm::startChosenExam(ExamSession::Source source, const QSet<qint64>& items,
                                const QString& title)
{
    if (source == ExamSession::Source::Bank)
        m_exam.setBankFilter(QStringLiteral("Q_EXAM_N<>0"));
    m_windows.name->setQuestionCount(int(items.size()), false);
    m_windows.name->setWindowTitle(title);
    m_windows.name->setMinutes(m_settings.DefaultTime);
    m_exam.setTitle(title);
    ExamSession::Start start;
    start.source = source;
    start.chosen = true;
    start.items = items;
    startExam(start);
}

void TTestForm::RetakeMissedActExecute()
{
    const std::optional<Attempt> latest = latestAttempt();
    if (!latest)
        return;
    const QSet<qint64> items = StudyPlan::missedItems(*latest);
    if (items.isEmpty()) {
        Prompt::information(this, QStringLiteral("The latest graded exam has no missed items."));
        return;
    }
    startChosenExam(latest->source == Attempt::Source::User ? ExamSession::Source::User
                                                            : ExamSession::Source::Bank,
                    items, QStringLiteral("Missed Items"));
}

void TTestForm::RetakeMarkedActExecute()
{
    const std::optional<Attempt> latest = latestAttempt();
    if (!latest)
        return;
    const QSet<qint64> items = StudyPlan::markedItems(*latest);
    if (items.isEmpty()) {
        Prompt::information(this, QStringLiteral("The latest graded exam has no marked items."));
        return;
    }
    startChosenExam(latest->source == Attempt::Source::User ? ExamSession::Source::User
                                                            : ExamSession::Source::Bank,
                    items, QStringLiteral("Marked Items"));
}

void TTestForm::WeakestSectionActExecute()
{
    const std::optional<int> section =
        StudyPlan::weakestSection(preparedHistory().sectionTallies());
    if (!section) {
        Prompt::information(
            this, QStringLiteral("No graded exam of the practice exams has been recorded yet."));
        return;
    }
    QSet<qint64> items;
    for (const auto& [id, itemSection] : m_exam.examItemSections()) {
        if (itemSection == *section)
            items.insert(id);
    }
    startChosenExam(ExamSession::Source::Bank, items,
                    QStringLiteral("Weakest Section: ") + SectionTitles::title(*section));
}

void TTestForm::NeverCorrectActExecute()
{
    const QSet<qint64> everCorrect = preparedHistory().everCorrectBankItems();
    QVector<qint64> bankItems;
    for (const auto& item : m_exam.examItemSections())
        bankItems.append(item.first);
    const QSet<qint64> items = StudyPlan::neverCorrect(bankItems, everCorrect);
    if (items.isEmpty()) {
        Prompt::information(this, QStringLiteral("Every question of the practice exams has "
                                                 "been answered correctly at least once."));
        return;
    }
    startChosenExam(ExamSession::Source::Bank, items, QStringLiteral("Never Answered Correctly"));
}

void TTestForm::ProgressActExecute()
{
    if (!m_studyProgress)
        m_studyProgress = new TStudyProgressForm(this);
    m_studyProgress->showHistory(preparedHistory());
    m_studyProgress->exec();
}

void TTestForm::GradeButtonClick()
{
    if (m_exam.mode() == ExamModeValue) {
        const bool confirmed =
            Prompt::ask(this, Prompt::Kind::Confirmation,
                        QStringLiteral("This will end your practice exam.\nAre you sure to end "
                                       "this exam?"),
                        QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
        // The timer may have run out while the question was open, and the exam been graded,
        // reviewed or left from there: one exam is graded once.
        if (confirmed && m_exam.mode() == ExamModeValue && !m_exam.isGraded())
            GradeExam();
    } else if (m_exam.mode() == ReviewMode) {
        GradeExam();
    }
}

void TTestForm::GradeExam()
{
    if (m_exam.grade()) {
        closeItemDialogs();
        m_windows.score->setResults(m_exam.results());
        ScrollBox1->hide();
        GradeButton->setText(QStringLiteral("Score Report"));
        TimeLabel->hide();
        Timer1->stop();
    }
    m_windows.score->exec();
}

void TTestForm::closeItemDialogs()
{
    // The timer can end the exam while one of these is open over it; unsaved note text is
    // dropped as the note window's Exit drops it.
    for (QDialog* dialog :
         {static_cast<QDialog*>(m_windows.note), static_cast<QDialog*>(m_windows.review),
          static_cast<QDialog*>(m_exhibitWindow)}) {
        if (dialog && dialog->isVisible())
            dialog->reject();
    }
}

void TTestForm::ComputeTotalScore()
{
    m_exam.ComputeTotalScore();
}

void TTestForm::ComputeSectionResults()
{
    m_exam.ComputeSectionResults();
}

void TTestForm::viewAnswers()
{
    m_exam.enterReview();
}

void TTestForm::reviewEntered()
{
    ReviewControls();
    LearnButton->setEnabled(false);
    dtCurrentSet->first();
}

void TTestForm::Button1Click()
{
    const bool review = m_exam.mode() == ReviewMode;
    m_windows.review->fill(ReviewList::entries(m_exam.itemStates(), review), review);
    m_windows.review->exec();
}

void TTestForm::Button3Click()
{
    if (Prompt::ask(this, Prompt::Kind::Confirmation,
                    QStringLiteral("Are you sure you wish to end this exam?"),
                    QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        CloseCurrentExam();
}

void TTestForm::Exit1Click()
{
    close();
}

void TTestForm::About1Click()
{
    if (m_windows.about)
        m_windows.about->exec();
}

bool TTestForm::FormCloseQuery()
{
    if (m_exam.mode() != ExamModeValue)
        return true;
    return Prompt::ask(this, Prompt::Kind::Warning,
                       QStringLiteral("This exam is not completed.\nAre you shure ?"),
                       QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void TTestForm::FormClose()
{
    reportErrors(this, [this] { CloseCurrentExam(); });
    emit formClosed();
}

void TTestForm::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    FormClose();
}

void TTestForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TTestForm::FormResize()
{
    if (dtCurrentSet->isActive())
        reportErrors(this, [this] { LayoutItem(); });
    if (Panel4->isVisible())
        ArrangeWelcomeButtons();
}

bool TTestForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == Panel4)
            placeWelcomeControls();
        else if (watched == Panel2)
            placeButtonRow();
    }
    return QMainWindow::eventFilter(watched, event);
}
