#include "DataAwareEditors.h"
#include "ExamDriver.h"
#include "FieldNames.h"
#include "GuiTest.h"
#include "ItemReport.h"
#include "PdfReader.h"
#include "PrintDialog.h"
#include "Prompt.h"
#include "SettingsStore.h"
#include "ShapedButton.h"
#include "TNameForm.h"
#include "TNoteForm.h"
#include "TScoreForm.h"
#include "TTestForm.h"
#include "Table.h"
#include "TableSchema.h"
#include "TestMain.h"
#include "TimeFormat.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTimer>

// The exam timer, item notes and item printing.
class TestTimerNotes : public GuiTest {
    Q_OBJECT

private:
    QDateTime m_now;
    QTemporaryDir m_dir;

    QString timeText()
    {
        return find<QWidget>(QStringLiteral("TimeLabel"))->property("text").toString();
    }
    bool timeShown() { return find<QWidget>(QStringLiteral("TimeLabel"))->isVisible(); }
    bool ticking() { return form()->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive(); }

    void tick(int seconds)
    {
        m_now = m_now.addSecs(seconds);
        form()->Timer1Timer();
    }

    void startExam(int exam, int minutes)
    {
        m_driver->startExam(
            [&] {
                QTest::mouseClick(find<ShapedButton>(QStringLiteral("fcShapeBtn%1").arg(exam)),
                                  Qt::LeftButton);
            },
            [minutes](TNameForm* dialog) { dialog->setMinutes(minutes); });
    }

    void makeDriver()
    {
        m_driver = std::make_unique<ExamDriver>();
        m_driver->showTestWindow();
        m_now = QDateTime(QDate(2026, 12, 11), QTime(10, 0, 0));
        form()->setClock([this] { return m_now; });
    }

    // Opens the note window for the current item and hands it to `act`.
    void withNoteWindow(const std::function<void(TNoteForm*, DBMemo*)>& act)
    {
        withModal<TNoteForm>(
            [this] {
                QTest::mouseClick(find<QPushButton>(QStringLiteral("NoteButton")), Qt::LeftButton);
            },
            [&](TNoteForm* note) {
                act(note, note->findChild<DBMemo*>(QStringLiteral("DBMemo1")));
                if (note->isVisible())
                    QTest::mouseClick(note->findChild<QPushButton*>(QStringLiteral("Button3")),
                                      Qt::LeftButton);
            });
    }

    QString bankNote(int id)
    {
        return FixtureBank::query(
                   QDir(m_driver->folder()).filePath(Schemas::BankFile),
                   QStringLiteral("SELECT coalesce(U_MEMO,'') FROM tsl4 WHERE Q_ID=%1").arg(id))
            .value(0);
    }

    QString printCurrentItem(const QString& name)
    {
        const QString pdf = m_dir.filePath(name);
        PrintDialog::setNextAnswers({{true, pdf}});
        find<QAction>(QStringLiteral("Print1"))->trigger();
        return PdfReader::text(pdf);
    }

private slots:
    void init()
    {
        GuiTest::init();
        SettingsStore().save(Settings());
    }

    void timesAreWrittenAndReadAsHoursMinutesSeconds()
    {
        QCOMPARE(TimeFormat::format(90 / 1440.0), QStringLiteral("1:30:00"));
        QCOMPARE(TimeFormat::format(90 / 1440.0 - 1 / 86400.0), QStringLiteral("1:29:59"));
        QCOMPARE(TimeFormat::format(600 / 1440.0), QStringLiteral("10:00:00"));
        QCOMPARE(TimeFormat::format(-5 / 86400.0), QStringLiteral("0:00:00"));
        for (int seconds : {0, 1, 59, 3599, 5400, 35999})
            QCOMPARE(TimeFormat::seconds(TimeFormat::parse(TimeFormat::format(seconds / 86400.0))),
                     qint64(seconds));
    }

    void theCountdownStartsFromTheFullLimit()
    {
        makeDriver();
        startExam(1, 90);
        QVERIFY(timeShown());
        QVERIFY(ticking());
        QCOMPARE(timeText(), QStringLiteral("1:30:00"));
        tick(1);
        QCOMPARE(timeText(), QStringLiteral("1:29:59"));
        tick(60);
        QCOMPARE(timeText(), QStringLiteral("1:28:59"));
        QCOMPARE(TimeFormat::seconds(form()->ElapsedTime()), qint64(61));
    }

    void theTimerTicksByItself()
    {
        makeDriver();
        startExam(1, 90);
        m_now = m_now.addSecs(5);
        QTRY_COMPARE_WITH_TIMEOUT(timeText(), QStringLiteral("1:29:55"), 3000);
    }

    void expiryIsReachedAlsoWhenATickSkipsTheSecond()
    {
        makeDriver();
        startExam(1, 1);
        tick(59);
        QCOMPARE(timeText(), QStringLiteral("0:00:01"));
        QVERIFY(Prompt::takeRecords().isEmpty());
        Prompt::setNextAnswers({QMessageBox::Ok});
        tick(2); // 61 seconds: the 60th was never seen
        const QList<Prompt::Record> records = Prompt::takeRecords();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].kind, Prompt::Kind::Information);
        QCOMPARE(records[0].text,
                 QStringLiteral("Your time has expired.\nDo you want continue the exam anyway?"));
        QCOMPARE(records[0].buttons, QMessageBox::No | QMessageBox::Ok);
        // OK: the exam goes on without a limit, and the question never comes again.
        QVERIFY(!timeShown());
        QVERIFY(!ticking());
        QCOMPARE(form()->ExamMode(), int(TTestForm::ExamModeValue));
    }

    void noThenCancelKeepsTheExamWithTheLastTime()
    {
        makeDriver();
        startExam(1, 1);
        tick(30);
        Prompt::setNextAnswers({QMessageBox::No, QMessageBox::Cancel});
        tick(30);
        const QList<Prompt::Record> records = Prompt::takeRecords();
        QCOMPARE(records.size(), 2);
        QCOMPARE(
            records[1].text,
            QStringLiteral("This will end your practice exam.\nAre you sure to end this exam?"));
        QCOMPARE(form()->ExamMode(), int(TTestForm::ExamModeValue));
        QVERIFY(timeShown());
        QCOMPARE(timeText(), QStringLiteral("0:00:00"));
        QVERIFY(!ticking());
    }

    void expiryOverTheNoteWindowDropsTheUnsavedNote()
    {
        makeDriver();
        startExam(1, 1);
        QTest::mouseClick(find<QPushButton>(QStringLiteral("NextButton")), Qt::LeftButton);
        const QString stored = form()->dtCurrentSet->fieldText(Field::UMemo);
        const qint64 noted = form()->dtCurrentSet->fieldInt(Field::QOrNumber);
        bool reviewed = false;
        QTimer::singleShot(0, [&] {
            auto* note = qobject_cast<TNoteForm*>(QApplication::activeModalWidget());
            QVERIFY(note);
            auto* memo = note->findChild<DBMemo*>(QStringLiteral("DBMemo1"));
            memo->setFocus();
            QTest::keyClicks(memo, QStringLiteral(" never saved"));
            QTimer::singleShot(0, [&] {
                auto* score = qobject_cast<TScoreForm*>(QApplication::activeModalWidget());
                QVERIFY(score);
                reviewed = true;
                QTest::mouseClick(score->findChild<QPushButton*>(QStringLiteral("BitBtn1")),
                                  Qt::LeftButton);
            });
            Prompt::setNextAnswers({QMessageBox::No, QMessageBox::Ok});
            tick(60);
        });
        QTest::mouseClick(find<QPushButton>(QStringLiteral("NoteButton")), Qt::LeftButton);
        QVERIFY(reviewed);
        QVERIFY(!m_driver->program().NoteForm->isVisible());
        QCOMPARE(form()->ExamMode(), int(TTestForm::ReviewMode));
        QCOMPARE(form()->dtCurrentSet->recNo(), 1);
        QVERIFY(find<QWidget>(QStringLiteral("ScrollBox1"))->isVisible());
        QCOMPARE(find<QWidget>(QStringLiteral("Label1"))->property("text").toString(),
                 QStringLiteral("Item 1 of %1").arg(form()->ItemCount()));
        QCOMPARE(
            find<QLabel>(QStringLiteral("Label2"))->text(),
            QStringLiteral("Item ID: %1").arg(form()->dtCurrentSet->fieldInt(Field::QOrNumber)));
        QCOMPARE(find<QLabel>(QStringLiteral("QText"))->text(),
                 form()->dtCurrentSet->fieldText(Field::QText));
        form()->dtCurrentSet->setRecNo(2);
        QCOMPARE(form()->dtCurrentSet->fieldInt(Field::QOrNumber), noted);
        QCOMPARE(form()->dtCurrentSet->fieldText(Field::UMemo), stored);
    }

    void expiryDuringTheGradeQuestionGradesOnce_data()
    {
        QTest::addColumn<QString>("leaveBy");
        QTest::newRow("View Answers") << "BitBtn1";
        QTest::newRow("Exit Exam") << "BitBtn3";
    }

    void expiryDuringTheGradeQuestionGradesOnce()
    {
        QFETCH(QString, leaveBy);
        makeDriver();
        startExam(1, 1);
        int scoreWindows = 0;
        bool expired = false;
        Prompt::setWhileShown([&](const QString& text) {
            // The timer runs out while the candidate is still reading the grade question.
            if (expired || !text.startsWith(QStringLiteral("This will end")))
                return;
            expired = true;
            tick(60);
        });
        std::function<void()> answerScore = [&] {
            auto* score = qobject_cast<TScoreForm*>(QApplication::activeModalWidget());
            if (!score)
                return;
            ++scoreWindows;
            QTimer::singleShot(0, answerScore); // a second window would be answered too
            QTest::mouseClick(score->findChild<QPushButton*>(leaveBy), Qt::LeftButton);
        };
        QTimer::singleShot(0, answerScore);
        // Grade Now: OK; expiry: No; grade question again: OK; leaving the score: Yes.
        Prompt::setNextAnswers(
            {QMessageBox::Ok, QMessageBox::No, QMessageBox::Ok, QMessageBox::Yes});
        QTest::mouseClick(find<QPushButton>(QStringLiteral("GradeButton")), Qt::LeftButton);
        QVERIFY(expired);
        QCOMPARE(scoreWindows, 1);
        QCOMPARE(form()->ExamMode(), leaveBy == QLatin1String("BitBtn1")
                                         ? int(TTestForm::ReviewMode)
                                         : int(TTestForm::HomeMode));
        QVERIFY(!m_driver->program().ScoreForm->isVisible());
    }

    void noThenOkGradesAndNothingExpiresAfterwards()
    {
        makeDriver();
        startExam(1, 1);
        Prompt::setNextAnswers({QMessageBox::No, QMessageBox::Ok});
        bool graded = false;
        QTimer::singleShot(0, [&] {
            auto* score = qobject_cast<TScoreForm*>(QApplication::activeModalWidget());
            QVERIFY(score);
            graded = true;
            QTest::mouseClick(score->findChild<QPushButton*>(QStringLiteral("BitBtn1")),
                              Qt::LeftButton);
        });
        tick(60);
        QVERIFY(graded);
        QCOMPARE(form()->ExamMode(), int(TTestForm::ReviewMode));
        QVERIFY(!timeShown());
        QVERIFY(!ticking());
        QCOMPARE(Prompt::takeRecords().size(), 2);
    }

    void noTimerShowsNothing()
    {
        SettingsStore().save([] {
            Settings s;
            s.TimerOn = false;
            return s;
        }());
        makeDriver();
        startExam(2, 5);
        QVERIFY(!timeShown());
        QVERIFY(!ticking());
    }

    void exitAndCancelWriteNoNote()
    {
        makeDriver();
        startExam(1, 90);
        const int id = int(form()->dtCurrentSet->fieldInt(Field::QOrNumber));
        const QString before = bankNote(id);
        find<QWidget>(QStringLiteral("Label1"))->setProperty("text", QStringLiteral("untouched"));
        withNoteWindow([&](TNoteForm* note, DBMemo* memo) {
            auto* save = note->findChild<QPushButton*>(QStringLiteral("Button1"));
            auto* cancel = note->findChild<QPushButton*>(QStringLiteral("Button2"));
            QCOMPARE(note->findChild<QLabel*>(QStringLiteral("ItemLine"))->text(),
                     QStringLiteral("Practice Exam A,  Item ID: %1").arg(id));
            QVERIFY(!save->isEnabled() && !cancel->isEnabled());
            QTest::keyClicks(memo, QStringLiteral("draft"));
            QVERIFY(save->isEnabled() && cancel->isEnabled());
            QTest::mouseClick(cancel, Qt::LeftButton);
            QCOMPARE(memo->toPlainText(), before);
            QVERIFY(!save->isEnabled());
            QTest::keyClicks(memo, QStringLiteral("another draft"));
        }); // closed with Exit
        // Typing in the note did not redraw the item behind it.
        QCOMPARE(find<QWidget>(QStringLiteral("Label1"))->property("text").toString(),
                 QStringLiteral("untouched"));
        QCOMPARE(bankNote(id), before);
        QCOMPARE(form()->dtCurrentSet->fieldText(Field::UMemo), before);
        QCOMPARE(form()->dtCurrentSet->state(), Table::State::Browse);
    }

    void aSavedNoteComesBackInTheNextExam()
    {
        makeDriver();
        startExam(1, 90);
        const int id = int(form()->dtCurrentSet->fieldInt(Field::QOrNumber));
        const QString note = QStringLiteral("Check the man page <man 5 exports> & retry");
        withNoteWindow([&](TNoteForm* window, DBMemo* memo) {
            memo->selectAll();
            QTest::keyClicks(memo, note);
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Button1")),
                              Qt::LeftButton);
            QVERIFY(!window->findChild<QPushButton*>(QStringLiteral("Button1"))->isEnabled());
        });
        QCOMPARE(bankNote(id), note);
        QCOMPARE(form()->dtCurrentSet->fieldText(Field::UMemo), note);

        Prompt::setNextAnswers({QMessageBox::Yes});
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Button3")), Qt::LeftButton);
        startExam(1, 90);
        Table* exam = form()->dtCurrentSet;
        for (int k = 1; k <= exam->recordCount(); ++k) {
            exam->setRecNo(k);
            if (exam->fieldInt(Field::QOrNumber) == id)
                break;
        }
        QString shown;
        withNoteWindow([&](TNoteForm*, DBMemo* memo) { shown = memo->toPlainText(); });
        QCOMPARE(shown, note);
    }

    void choiceLinesFollowTheirRules()
    {
        QCOMPARE(ItemReport::choiceLines({QStringLiteral("x"), QStringLiteral("y"),
                                          QStringLiteral("z"), QString(), QString(), QString()},
                                         QStringLiteral("why")),
                 (QStringList{"a.  x", "", "b.  y", "", "c.  z", "", "", "", "", "", "why"}));
        QCOMPARE(ItemReport::choiceLines({QString(), QString(), QStringLiteral(" "), QString(),
                                          QString(), QStringLiteral("f")},
                                         QString()),
                 (QStringList{"a.  ", "", "b.  ", "", "c.   ", "", "", "", "f.  f", "", "", ""}));
    }

    void aPrintedItemReadsBackFromThePage()
    {
        QVector<FixtureItem> bank(9);
        for (int i = 0; i < bank.size(); ++i) {
            bank[i].examNumber = 1;
            bank[i].text = QStringLiteral("Question number %1 asks <this> & that?").arg(i + 1);
            bank[i].choices = {QStringLiteral("alpha"), QStringLiteral("beta"),
                               QStringLiteral("gamma")};
            bank[i].keys = {false, true, false};
            bank[i].explanation = QStringLiteral("Beta is right for reason %1.").arg(i + 1);
        }
        m_driver = std::make_unique<ExamDriver>(bank);
        m_driver->showTestWindow();
        startExam(1, 90);
        form()->dtCurrentSet->setRecNo(3);
        const int id = int(form()->dtCurrentSet->fieldInt(Field::QOrNumber));
        const QString text = printCurrentItem(QStringLiteral("exam.pdf"));
        QVERIFY2(text.contains(QStringLiteral("Tessaly 4, Practice Exam A")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Item Number: 3")));
        QVERIFY(text.contains(QStringLiteral("Question number %1 asks <this> & that?").arg(id)));
        QVERIFY(text.contains(QStringLiteral("Beta is right for reason %1.").arg(id)));
        QVERIFY(!text.contains(QStringLiteral("d.")));
        // Where the lines stand: a., b. and c. two lines apart; after c. its empty line and four
        // more, then the explanation.
        const QMap<QString, double> top =
            PdfReader::wordTops(m_dir.filePath(QStringLiteral("exam.pdf")));
        const double line = (top.value("b.") - top.value("a.")) / 2;
        QVERIFY(line > 0);
        QCOMPARE(qRound((top.value("c.") - top.value("b.")) / line), 2);
        QCOMPARE(qRound((top.value("Beta") - top.value("c.")) / line), 6);

        // Review mode prints the same page.
        m_driver->gradeAndViewAnswers();
        form()->dtCurrentSet->setRecNo(3);
        QCOMPARE(printCurrentItem(QStringLiteral("review.pdf")), text);

        // Cancelling the print dialog prints nothing.
        PrintDialog::setNextAnswers({{false, {}}});
        find<QAction>(QStringLiteral("Print1"))->trigger();
        QCOMPARE(PrintDialog::timesShown(), 3);
    }

    void aRandomExamItemNamesItsExamAndNumber()
    {
        makeDriver();
        m_driver->startExam(
            [&] { find<QAction>(QStringLiteral("RandAct"))->trigger(); },
            [](TNameForm* dialog) {
                dialog->findChild<QSpinBox*>(QStringLiteral("SpinEdit2"))->setValue(10);
            });
        form()->dtCurrentSet->setRecNo(7);
        const QString text = printCurrentItem(QStringLiteral("random.pdf"));
        QVERIFY2(text.contains(QStringLiteral("Tessaly 4, Random Exam")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Item Number: 7")));
    }
};

TESSALY_TEST_MAIN(TestTimerNotes)
#include "tst_timernotes.moc"
