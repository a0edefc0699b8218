#include "ExamDriver.h"
#include "FieldNames.h"
#include "GuiTest.h"
#include "Prompt.h"
#include "ShapedButton.h"
#include "TNameForm.h"
#include "TTestForm.h"
#include "Table.h"
#include "TestMain.h"

#include "TMainForm.h"
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QSpinBox>
#include <QTimer>

// The test window's modes and the start of every kind of exam, driven through the real windows.
class TestTestWindow : public GuiTest {
    Q_OBJECT

private:
    QMenu* examsMenu() { return form()->findChild<QMenu*>(QStringLiteral("ExamsMenu")); }

    // Q_OR_NUMBER of every item of the running exam.
    QSet<qint64> examItems()
    {
        QSet<qint64> items;
        Table* table = form()->dtCurrentSet;
        const int position = table->recNo();
        for (table->first(); !table->eof(); table->next())
            items.insert(table->fieldInt(Field::QOrNumber));
        table->setRecNo(position);
        return items;
    }

    static QSet<qint64> bankItems(const std::function<bool(const FixtureItem&)>& pick)
    {
        QSet<qint64> ids;
        const QVector<FixtureItem> bank = ExamDriver::standardBank();
        for (int i = 0; i < bank.size(); ++i) {
            if (pick(bank[i]))
                ids.insert(i + 1);
        }
        return ids;
    }

    void verifyExamMode(const QString& title, int count)
    {
        QCOMPARE(form()->ExamMode(), int(TTestForm::ExamModeValue));
        QCOMPARE(form()->ExamTitle(), title);
        QCOMPARE(m_driver->find<QLabel>(QStringLiteral("Label3"))->text(), title);
        QCOMPARE(
            m_driver->find<QLabel>(QStringLiteral("Label2"))->text(),
            QStringLiteral("Item ID: %1").arg(form()->dtCurrentSet->fieldInt(Field::QOrNumber)));
        QCOMPARE(form()->dtCurrentSet->recNo(), 1);
        QCOMPARE(form()->ItemCount(), count);
        QVERIFY(!m_driver->find<QWidget>(QStringLiteral("Panel4"))->isVisible());
        QVERIFY(m_driver->find<QWidget>(QStringLiteral("ScrollBox1"))->isVisible());
        QVERIFY(m_driver->find<QWidget>(QStringLiteral("Panel2"))->isVisible());
        QVERIFY(!examsMenu()->isEnabled());
        QVERIFY(!m_driver->find<ShapedButton>(QStringLiteral("fcShapeBtn1"))->isVisible());
        QVERIFY(m_driver->find<QAction>(QStringLiteral("Print1"))->isEnabled());
        QVERIFY(!m_driver->find<QPushButton>(QStringLiteral("PrevButton"))->isEnabled());
        QCOMPARE(m_driver->find<QPushButton>(QStringLiteral("NextButton"))->isEnabled(), count > 1);
    }

    void verifyHomeMode()
    {
        QCOMPARE(form()->ExamMode(), int(TTestForm::HomeMode));
        QVERIFY(m_driver->find<QWidget>(QStringLiteral("Panel4"))->isVisible());
        QVERIFY(!m_driver->find<QWidget>(QStringLiteral("ScrollBox1"))->isVisible());
        QVERIFY(!m_driver->find<QWidget>(QStringLiteral("Panel2"))->isVisible());
        QVERIFY(m_driver->find<QWidget>(QStringLiteral("fcLabel1"))->isVisible());
        QVERIFY(!m_driver->find<QWidget>(QStringLiteral("Label1"))->isVisible());
        QVERIFY(examsMenu()->isEnabled());
        QVERIFY(!m_driver->find<QAction>(QStringLiteral("Print1"))->isEnabled());
        QVERIFY(!form()->dtCurrentSet->isActive());
        QVERIFY(!form()->dtQSet->isActive());
    }

    void startPractice(int exam, const std::function<void(TNameForm*)>& fill = {},
                       bool confirm = true)
    {
        m_driver->startExam(
            [&] {
                QTest::mouseClick(
                    m_driver->find<ShapedButton>(QStringLiteral("fcShapeBtn%1").arg(exam)),
                    Qt::LeftButton);
            },
            fill, confirm);
    }

private slots:
    void init()
    {
        GuiTest::init();
        m_driver = std::make_unique<ExamDriver>(
            ExamDriver::standardBank(), FixtureBank::generate(3), QVector<qint64>{4, 11, 25});
        m_driver->showTestWindow();
    }

    void everyBankStartBuildsItsExam_data()
    {
        QTest::addColumn<QString>("trigger"); // a welcome button or an action of the menu
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("exam"); // 0: every exam
        for (int exam = 1; exam <= 6; ++exam) {
            const QString letter(QChar('A' + exam - 1));
            const QString trigger = exam % 2 ? QStringLiteral("fcShapeBtn%1").arg(exam)
                                             : QStringLiteral("Action%1").arg(exam);
            QTest::addRow("exam %c", 'A' + exam - 1)
                << trigger << "Begin Practice Exam " + letter << "Practice Exam " + letter << exam;
        }
        QTest::newRow("all questions") << "AllQBtn"
                                       << "Take All Questions"
                                       << "All Questions" << 0;
        QTest::newRow("all questions, menu") << "AllQAct"
                                             << "Take All Questions"
                                             << "All Questions" << 0;
    }

    void everyBankStartBuildsItsExam()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QFETCH(int, exam);

        QString seenCaption;
        bool countEnabled = true;
        QColor countBase;
        int countValue = 0;
        int minutes = 0;
        m_driver->startExam(
            [&] {
                if (auto* button = m_driver->find<ShapedButton>(trigger))
                    QTest::mouseClick(button, Qt::LeftButton);
                else
                    m_driver->find<QAction>(trigger)->trigger();
            },
            [&](TNameForm* dialog) {
                seenCaption = dialog->windowTitle();
                auto* count = dialog->findChild<QSpinBox*>(QStringLiteral("SpinEdit2"));
                countEnabled = count->isEnabled();
                countBase = count->palette().color(QPalette::Disabled, QPalette::Base);
                countValue = count->value();
                minutes = dialog->findChild<QSpinBox*>(QStringLiteral("SpinEdit1"))->value();
                dialog->findChild<QLineEdit*>(QStringLiteral("NameEdit"))
                    ->setText(QStringLiteral("Dana Candidate"));
            });

        QCOMPARE(seenCaption, caption);
        QVERIFY(!countEnabled);
        QCOMPARE(countBase, QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(countValue, 54); // every bank item that belongs to an exam
        QCOMPARE(minutes, 90);
        const QSet<qint64> expected = bankItems([exam](const FixtureItem& item) {
            return exam == 0 ? item.examNumber != 0 : item.examNumber == exam;
        });
        verifyExamMode(title, expected.size());
        QCOMPARE(examItems(), expected);
        QCOMPARE(form()->CandidateName(), QStringLiteral("Dana Candidate"));
        QCOMPARE(form()->TimeLimit(), 90 / 1440.0);
        QVERIFY(Prompt::takeRecords().isEmpty());
    }

    void cancellingTheDialogLeavesHomeUntouched()
    {
        startPractice(
            3,
            [](TNameForm* dialog) {
                dialog->findChild<QLineEdit*>(QStringLiteral("NameEdit"))
                    ->setText(QStringLiteral("Not kept"));
                dialog->findChild<QSpinBox*>(QStringLiteral("SpinEdit1"))->setValue(33);
            },
            false);
        verifyHomeMode();
        QVERIFY(form()->CandidateName().isEmpty());
        QCOMPARE(form()->TimeLimit(), 0.0);
    }

    void aRandomExamKeepsTheTimeAndClampsTheCount()
    {
        // A cancelled start leaves 33 in the time field; the Random Exam does not reset it.
        startPractice(
            1,
            [](TNameForm* dialog) {
                dialog->findChild<QSpinBox*>(QStringLiteral("SpinEdit1"))->setValue(33);
            },
            false);

        int minutes = 0;
        bool countEnabled = false;
        QColor countBase;
        m_driver->startExam(
            [&] {
                QTest::mouseClick(m_driver->find<ShapedButton>(QStringLiteral("RandomBtn")),
                                  Qt::LeftButton);
            },
            [&](TNameForm* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Random Exam"));
                minutes = dialog->minutes();
                auto* count = dialog->findChild<QSpinBox*>(QStringLiteral("SpinEdit2"));
                countEnabled = count->isEnabled();
                countBase = count->palette().color(QPalette::Active, QPalette::Base);
                QCOMPARE(count->maximum(), 54);
                QCOMPARE(count->value(), 54);
                ExamDriver::typeInto(count, QStringLiteral("7"));
            });
        QCOMPARE(minutes, 33);
        QVERIFY(countEnabled);
        QCOMPARE(countBase, QColor(Qt::white));
        verifyExamMode(QStringLiteral("Random Exam"), 7);
        QCOMPARE(form()->TimeLimit(), 33 / 1440.0);
        const QSet<qint64> inExams =
            bankItems([](const FixtureItem& item) { return item.examNumber != 0; });
        const QSet<qint64> drawn = examItems();
        QCOMPARE(drawn.size(), 7);
        QVERIFY(inExams.contains(drawn));

        // Typed below the range: brought up to 1 when the dialog closes with OK.
        Prompt::setNextAnswers({QMessageBox::Yes});
        QTest::mouseClick(m_driver->find<QPushButton>(QStringLiteral("Button3")), Qt::LeftButton);
        m_driver->startExam([&] { m_driver->find<QAction>(QStringLiteral("RandAct"))->trigger(); },
                            [](TNameForm* dialog) {
                                ExamDriver::typeInto(
                                    dialog->findChild<QSpinBox*>(QStringLiteral("SpinEdit2")),
                                    QStringLiteral("0"));
                            });
        verifyExamMode(QStringLiteral("Random Exam"), 1);
    }

    void aTypedValueBeyondABoundIsBroughtToIt_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("items");
        // The fixture's exams hold 54 items; the time runs from 1 to 600 minutes.
        QTest::newRow("time above") << "SpinEdit1"
                                    << "900" << 600 << 54;
        QTest::newRow("time far above") << "SpinEdit1"
                                        << "99999" << 600 << 54;
        QTest::newRow("time below") << "SpinEdit1"
                                    << "0" << 1 << 54;
        QTest::newRow("count above") << "SpinEdit2"
                                     << "500" << 90 << 54;
        QTest::newRow("count below") << "SpinEdit2"
                                     << "0" << 90 << 1;
        QTest::newRow("count inside") << "SpinEdit2"
                                      << "12" << 90 << 12;
    }

    void aTypedValueBeyondABoundIsBroughtToIt()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(int, minutes);
        QFETCH(int, items);
        QString shown;
        m_driver->startExam(
            [&] {
                QTest::mouseClick(m_driver->find<ShapedButton>(QStringLiteral("RandomBtn")),
                                  Qt::LeftButton);
            },
            [&](TNameForm* dialog) {
                auto* box = dialog->findChild<QSpinBox*>(field);
                ExamDriver::typeInto(box, typed);
                shown = box->text();
            });
        QCOMPARE(shown, typed); // the field took every key
        verifyExamMode(QStringLiteral("Random Exam"), items);
        QCOMPARE(form()->TimeLimit(), minutes / 1440.0);
        QVERIFY(Prompt::takeRecords().isEmpty());
    }

    void anExamWithoutItemsShowsNothingToAnswer()
    {
        QVector<FixtureItem> bank = ExamDriver::standardBank();
        for (FixtureItem& item : bank) {
            if (item.examNumber == 6)
                item.examNumber = 5;
        }
        m_driver = std::make_unique<ExamDriver>(bank);
        m_driver->showTestWindow();
        startPractice(1); // an exam with items first: its last item must not stay behind
        QTest::mouseClick(m_driver->find<QPushButton>(QStringLiteral("NextButton")),
                          Qt::LeftButton);
        Prompt::setNextAnswers({QMessageBox::Yes});
        QTest::mouseClick(m_driver->find<QPushButton>(QStringLiteral("Button3")), Qt::LeftButton);

        startPractice(6);
        QCOMPARE(form()->ItemCount(), 0);
        QCOMPARE(m_driver->find<QWidget>(QStringLiteral("Label1"))->property("text").toString(),
                 QStringLiteral("Item 0 of 0"));
        auto* area = m_driver->find<QScrollArea>(QStringLiteral("ScrollBox1"));
        QVERIFY(area->isVisible());
        const QList<QWidget*> inside = area->widget()->findChildren<QWidget*>();
        QVERIFY(!inside.isEmpty());
        for (QWidget* widget : inside) {
            if (widget->objectName() != QLatin1String("CalcButton"))
                QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));
        }
        // Grading goes on as before: an exam of no items has no score.
        QTimer::singleShot(0, [] {
            if (QWidget* score = QApplication::activeModalWidget())
                QTest::mouseClick(score->findChild<QPushButton*>(QStringLiteral("BitBtn3")),
                                  Qt::LeftButton);
        });
        Prompt::setNextAnswers({QMessageBox::Ok, QMessageBox::Yes});
        QTest::mouseClick(m_driver->find<QPushButton>(QStringLiteral("GradeButton")),
                          Qt::LeftButton);
        QCOMPARE(form()->ExamMode(), int(TTestForm::HomeMode));
    }

    void aUserExamOnAnEmptySetIsRefused()
    {
        m_driver.reset();
        m_driver = std::make_unique<ExamDriver>();
        m_driver->showTestWindow();
        Prompt::setNextAnswers({QMessageBox::Ok});
        QTest::mouseClick(m_driver->find<ShapedButton>(QStringLiteral("UserBtn")), Qt::LeftButton);
        const QList<Prompt::Record> records = Prompt::takeRecords();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].kind, Prompt::Kind::Information);
        QCOMPARE(records[0].text, QStringLiteral("User defined question set is empty!"));
        QCOMPARE(records[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        verifyHomeMode();
        QVERIFY(!form()->dtUserSet->isActive());
    }

    void aUserExamHidesTheNoteButtonUntilItEnds()
    {
        QString caption;
        m_driver->startExam(
            [&] {
                QTest::mouseClick(m_driver->find<ShapedButton>(QStringLiteral("UserBtn")),
                                  Qt::LeftButton);
            },
            [&](TNameForm* dialog) { caption = dialog->windowTitle(); });
        QCOMPARE(caption, QStringLiteral("User Exam"));
        verifyExamMode(QStringLiteral("User Exam"), 3);
        QCOMPARE(examItems(), (QSet<qint64>{4, 11, 25}));
        QVERIFY(!m_driver->find<QPushButton>(QStringLiteral("NoteButton"))->isVisible());

        Prompt::setNextAnswers({QMessageBox::Yes});
        QTest::mouseClick(m_driver->find<QPushButton>(QStringLiteral("Button3")), Qt::LeftButton);
        verifyHomeMode();
        QVERIFY(!m_driver->find<QPushButton>(QStringLiteral("NoteButton"))->isHidden());
    }

    void exitExamAsksYesOrNo()
    {
        startPractice(2);
        Prompt::setNextAnswers({QMessageBox::No});
        QTest::mouseClick(m_driver->find<QPushButton>(QStringLiteral("Button3")), Qt::LeftButton);
        QList<Prompt::Record> records = Prompt::takeRecords();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].kind, Prompt::Kind::Confirmation);
        QCOMPARE(records[0].text, QStringLiteral("Are you sure you wish to end this exam?"));
        QCOMPARE(records[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(form()->ExamMode(), int(TTestForm::ExamModeValue));

        Prompt::setNextAnswers({QMessageBox::Yes});
        QTest::mouseClick(m_driver->find<QPushButton>(QStringLiteral("Button3")), Qt::LeftButton);
        verifyHomeMode();
        QVERIFY(form()->isVisible());

        // The next exam starts from a fresh build.
        startPractice(5);
        verifyExamMode(QStringLiteral("Practice Exam E"),
                       bankItems([](const FixtureItem& i) { return i.examNumber == 5; }).size());
    }

    void closingDuringAnExamAsksOkOrCancel()
    {
        startPractice(1);
        Prompt::setNextAnswers({QMessageBox::Cancel});
        QVERIFY(!form()->close());
        QList<Prompt::Record> records = Prompt::takeRecords();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].kind, Prompt::Kind::Warning);
        QCOMPARE(records[0].text, QStringLiteral("This exam is not completed.\nAre you shure ?"));
        QCOMPARE(records[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QVERIFY(form()->isVisible());
        QCOMPARE(form()->ExamMode(), int(TTestForm::ExamModeValue));
        QVERIFY(form()->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());

        Prompt::setNextAnswers({QMessageBox::Ok});
        QVERIFY(form()->close());
        QVERIFY(!form()->isVisible());
        QVERIFY(m_driver->program().MainForm->isVisible());
        QCOMPARE(form()->ExamMode(), int(TTestForm::HomeMode));
        QVERIFY(!form()->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    }

    void closingInReviewOrHomeModeAsksNothing()
    {
        startPractice(1);
        m_driver->gradeAndViewAnswers();
        QVERIFY(form()->close());
        QVERIFY(Prompt::takeRecords().isEmpty());
        QCOMPARE(form()->ExamMode(), int(TTestForm::HomeMode));

        m_driver->showTestWindow();
        QVERIFY(form()->close());
        QVERIFY(Prompt::takeRecords().isEmpty());
    }

    void aVisibleButtonWinsItsKeyOverTheMenu()
    {
        // "&F" starts Practice Exam F although "&File" uses the same letter.
        QApplication::setActiveWindow(form());
        QVERIFY(QTest::qWaitForWindowActive(form()));
        // A key clicks its button a moment later, as a mouse click would be shown.
        QString caption;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<TNameForm*>(QApplication::activeModalWidget())) {
                caption = dialog->windowTitle();
                dialog->reject();
            }
        });
        watch.start(20);
        QTest::keyClick(form(), Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(caption, QStringLiteral("Begin Practice Exam F"));
        QCOMPARE(form()->ExamMode(), int(TTestForm::HomeMode));
        watch.stop();

        // A letter no visible button claims still opens its menu.
        QApplication::setActiveWindow(form());
        QVERIFY(QTest::qWaitForWindowActive(form()));
        QTest::keyClick(form(), Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        QApplication::activePopupWidget()->close();
    }

    void theWelcomeButtonsAreCentredOnTheWindow()
    {
        form()->showNormal();
        const int frame = form()->frameGeometry().width() - form()->width();
        form()->resize(1024 - frame, 700);
        QTRY_COMPARE(form()->frameGeometry().width(), 1024);
        QCOMPARE(m_driver->find<ShapedButton>(QStringLiteral("fcShapeBtn1"))->x(), 407);
        QCOMPARE(m_driver->find<ShapedButton>(QStringLiteral("fcShapeBtn2"))->x(), 443);
        QCOMPARE(m_driver->find<ShapedButton>(QStringLiteral("fcShapeBtn6"))->x(), 587);
        // (1024 - 3 * 109 - 12) / 2 = 342.5, and a half goes to the even neighbour.
        QCOMPARE(m_driver->find<ShapedButton>(QStringLiteral("AllQBtn"))->x(), 342);
        QCOMPARE(m_driver->find<ShapedButton>(QStringLiteral("RandomBtn"))->x(), 457);
        QCOMPARE(m_driver->find<ShapedButton>(QStringLiteral("UserBtn"))->x(), 572);
    }

    void theStartDialogShowsTodaysDateAndKeepsTheName()
    {
        QString date;
        startPractice(1, [&](TNameForm* dialog) {
            date = dialog->findChild<QLabel*>(QStringLiteral("Label1"))->text();
            dialog->findChild<QLineEdit*>(QStringLiteral("NameEdit"))
                ->setText(QStringLiteral("Kept Name"));
        });
        QCOMPARE(date, QStringLiteral("Date: ") +
                           QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        Prompt::setNextAnswers({QMessageBox::Yes});
        QTest::mouseClick(m_driver->find<QPushButton>(QStringLiteral("Button3")), Qt::LeftButton);
        QString name;
        startPractice(
            2, [&](TNameForm* dialog) { name = dialog->candidateName(); }, false);
        QCOMPARE(name, QStringLiteral("Kept Name"));
    }
};

TESSALY_TEST_MAIN(TestTestWindow)
#include "tst_testwindow.moc"
