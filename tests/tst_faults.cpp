#include "BarChart.h"
#include "DataError.h"
#include "ErrorBoundary.h"
#include "ExamDriver.h"
#include "FieldNames.h"
#include "FileLock.h"
#include "GuiTest.h"
#include "Prompt.h"
#include "ShapedButton.h"
#include "TDM.h"
#include "TMainForm.h"
#include "TNameForm.h"
#include "TReviewForm.h"
#include "TSamplerForm.h"
#include "TScoreForm.h"
#include "TTestForm.h"
#include "Table.h"
#include "TableSchema.h"
#include "TestMain.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <unistd.h>

// Damaged, missing, locked and hostile inputs: a clear message that names the file, nothing
// lost, the rest of the program still usable, and never a crash.
class TestFaults : public GuiTest {
    Q_OBJECT

private:
    QString path(const QString& file) const { return QDir(m_driver->folder()).filePath(file); }

    static void writeBytes(const QString& file, const QByteArray& bytes)
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
    }

    static QByteArray noise(int size)
    {
        QByteArray bytes;
        for (int i = 0; i < size; ++i)
            bytes.append(char((i * 7919 + 17) % 253));
        return bytes;
    }

    void damage(const QString& file, const QString& how)
    {
        if (how == QLatin1String("missing")) {
            QFile::remove(file);
        } else if (how == QLatin1String("random bytes")) {
            writeBytes(file, noise(16384));
        } else if (how == QLatin1String("truncated")) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.resize(std::min<qint64>(f.size() / 3, 4096 + 100)));
        } else if (how == QLatin1String("missing column")) {
            QFile::remove(file);
            FixtureBank::query(file, QStringLiteral("CREATE TABLE %1 (Q_ID INTEGER PRIMARY KEY, "
                                                    "Q_TEXT TEXT)")
                                         .arg(QFileInfo(file).baseName()));
        }
    }

    void clickStart(const QString& button, bool expectDialog)
    {
        if (expectDialog) {
            m_driver->startExam(
                [&] { QTest::mouseClick(find<ShapedButton>(button), Qt::LeftButton); });
        } else {
            QTest::mouseClick(find<ShapedButton>(button), Qt::LeftButton);
        }
    }

    // The single error box the last action showed.
    QString onlyError()
    {
        const QList<Prompt::Record> records = Prompt::takeRecords();
        if (records.size() != 1 || records[0].kind != Prompt::Kind::Error)
            return QStringLiteral("<%1 prompts>").arg(records.size());
        return records[0].text;
    }

private slots:
    void aBadBankIsReportedAndTheRestStillWorks_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing"
                                 << "was not found";
        QTest::newRow("random bytes") << "random bytes"
                                      << "not a database";
        QTest::newRow("truncated") << "truncated"
                                   << "malformed";
        QTest::newRow("missing column") << "missing column"
                                        << "lacks the field";
    }

    void aBadBankIsReportedAndTheRestStillWorks()
    {
        QFETCH(QString, how);
        QFETCH(QString, reason);
        m_driver =
            std::make_unique<ExamDriver>(FixtureBank::generate(400), FixtureBank::generate(2));
        damage(path(Schemas::BankFile), how);
        m_driver->showTestWindow();

        clickStart(QStringLiteral("fcShapeBtn1"), false);
        const QString message = onlyError();
        QVERIFY2(message.contains(Schemas::BankFile) &&
                     message.contains(reason, Qt::CaseInsensitive),
                 qPrintable(message));
        QCOMPARE(form()->ExamMode(), int(TTestForm::HomeMode));
        QVERIFY(find<QWidget>(QStringLiteral("Panel4"))->isVisible());

        // The User Exam needs no bank.
        clickStart(QStringLiteral("UserBtn"), true);
        QCOMPARE(form()->ExamMode(), int(TTestForm::ExamModeValue));
        QCOMPARE(form()->ItemCount(), 2);
        QVERIFY(Prompt::takeRecords().isEmpty());
        Prompt::setNextAnswers({QMessageBox::Yes});
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Button3")), Qt::LeftButton);

        // Nor does the Test Sampler.
        Prompt::setNextAnswers({QMessageBox::Ok});
        QVERIFY(form()->close());
        TMainForm* start = m_driver->program().MainForm;
        QTest::mouseClick(start->findChild<ShapedButton*>(QStringLiteral("SamplerBtn")),
                          Qt::LeftButton);
        QVERIFY(m_driver->program().SamplerForm->isVisible());
        QVERIFY(m_driver->program().DM->dtUserSet->isActive());
    }

    void aDamagedWorkingCopyIsSetAsideAndReplaced()
    {
        m_driver = std::make_unique<ExamDriver>();
        writeBytes(path(Schemas::CurrentExamFile), noise(9000));
        m_driver->showTestWindow();
        Prompt::setNextAnswers({QMessageBox::Ok});
        clickStart(QStringLiteral("fcShapeBtn2"), true);
        const QList<Prompt::Record> records = Prompt::takeRecords();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].kind, Prompt::Kind::Information);
        QVERIFY2(records[0].text.contains(QStringLiteral("ces.DAT, was damaged")),
                 qPrintable(records[0].text));
        QCOMPARE(form()->ExamMode(), int(TTestForm::ExamModeValue));
        QVERIFY(form()->ItemCount() > 0);
        QFile aside(path(QStringLiteral("ces.DAT.damaged")));
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), noise(9000)); // kept as it was
    }

    void aDamagedPersonalTableIsReportedAndKept()
    {
        m_driver = std::make_unique<ExamDriver>();
        writeBytes(path(Schemas::PersonalFile), noise(5000));
        m_driver->showTestWindow();
        clickStart(QStringLiteral("UserBtn"), false);
        QString message = onlyError();
        QVERIFY2(message.contains(Schemas::PersonalFile), qPrintable(message));
        QCOMPARE(form()->ExamMode(), int(TTestForm::HomeMode));

        // The Test Sampler reports it too, and the start window comes back.
        QVERIFY(form()->close());
        TMainForm* start = m_driver->program().MainForm;
        QTest::mouseClick(start->findChild<ShapedButton*>(QStringLiteral("SamplerBtn")),
                          Qt::LeftButton);
        message = onlyError();
        QVERIFY2(message.contains(Schemas::PersonalFile), qPrintable(message));
        QVERIFY(start->isVisible());
        QVERIFY(!m_driver->program().SamplerForm->isVisible());
        QFile kept(path(Schemas::PersonalFile));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), noise(5000)); // the candidate's file is never replaced
    }

    void aReadOnlyBankKeepsTheNoteInTheExam()
    {
        if (::geteuid() == 0)
            QSKIP("file permissions do not bind the superuser");
        m_driver = std::make_unique<ExamDriver>();
        QFile::setPermissions(path(Schemas::BankFile), QFile::ReadOwner | QFile::ReadGroup);
        m_driver->showTestWindow();
        clickStart(QStringLiteral("fcShapeBtn1"), true);
        QTimer::singleShot(0, [&] {
            QWidget* note = QApplication::activeModalWidget();
            QVERIFY(note);
            auto* memo = note->findChild<QPlainTextEdit*>(QStringLiteral("DBMemo1"));
            QTest::keyClicks(memo, QStringLiteral("kept here"));
            Prompt::setNextAnswers({QMessageBox::Ok});
            QTest::mouseClick(note->findChild<QPushButton*>(QStringLiteral("Button1")),
                              Qt::LeftButton);
            QVERIFY(note->findChild<QPushButton*>(QStringLiteral("Button1"))->isEnabled());
            note->close();
        });
        QTest::mouseClick(find<QPushButton>(QStringLiteral("NoteButton")), Qt::LeftButton);
        const QString message = onlyError();
        QVERIFY2(message.contains(Schemas::BankFile) &&
                     message.contains(QStringLiteral("readonly")),
                 qPrintable(message));
        QCOMPARE(form()->dtCurrentSet->fieldText(Field::UMemo), QStringLiteral("kept here"));
    }

    void anErrorInAConnectedHandlerBecomesAMessageBox()
    {
        QWidget window;
        QPushButton button(QStringLiteral("Go"), &window);
        window.show();
        int calls = 0;
        ErrorBoundary::connect(&button, &QPushButton::clicked, &window, [&] {
            ++calls;
            throw DataError(QStringLiteral("The table file \"tsl4.DAT\" is locked."),
                            DataError::Kind::Locked);
        });
        ErrorBoundary::connect(&button, &QPushButton::clicked, &window, [&](bool checked) {
            ++calls;
            throw std::runtime_error(checked ? "checked" : "not checked");
        });
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(calls, 2);
        const QList<Prompt::Record> records = Prompt::takeRecords();
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[0].kind, Prompt::Kind::Error);
        QCOMPARE(records[0].text, QStringLiteral("The table file \"tsl4.DAT\" is locked."));
        QCOMPARE(records[1].kind, Prompt::Kind::Error);
        QCOMPARE(records[1].text, QStringLiteral("not checked"));
    }

    void leavingAnExamNeedsNothingOfALockedBank_data()
    {
        QTest::addColumn<bool>("byClosing");
        QTest::newRow("Exit Exam") << false;
        QTest::newRow("closing the window") << true;
    }

    void leavingAnExamNeedsNothingOfALockedBank()
    {
        QFETCH(bool, byClosing);
        m_driver = std::make_unique<ExamDriver>();
        m_driver->showTestWindow();
        clickStart(QStringLiteral("fcShapeBtn3"), true);
        QTest::mouseClick(find<QPushButton>(QStringLiteral("NextButton")), Qt::LeftButton);
        FileLock lock(path(Schemas::BankFile), FileLock::Kind::Everything);
        QVERIFY(lock.held());
        if (byClosing) {
            Prompt::setNextAnswers({QMessageBox::Ok});
            QVERIFY(form()->close());
        } else {
            Prompt::setNextAnswers({QMessageBox::Yes});
            QTest::mouseClick(find<QPushButton>(QStringLiteral("Button3")), Qt::LeftButton);
        }
        for (const Prompt::Record& record : Prompt::takeRecords()) {
            if (record.kind == Prompt::Kind::Error)
                QVERIFY2(record.text.contains(Schemas::BankFile), qPrintable(record.text));
        }
        QCOMPARE(form()->ExamMode(), int(TTestForm::HomeMode));
        QVERIFY(!form()->dtQSet->isActive());
        QVERIFY(!form()->dtCurrentSet->isActive());
        QVERIFY(!form()->dtUserSet->isActive());
        QVERIFY(form()->findChild<QMenu*>(QStringLiteral("ExamsMenu"))->isEnabled());
        QCOMPARE(find<QWidget>(QStringLiteral("Panel4"))->isVisibleTo(form()), true);
        QCOMPARE(find<QWidget>(QStringLiteral("ScrollBox1"))->isVisibleTo(form()), false);

        // Once the other program lets go, the next exam starts as usual.
        lock.release();
        m_driver->showTestWindow();
        clickStart(QStringLiteral("fcShapeBtn1"), true);
        QCOMPARE(form()->ExamMode(), int(TTestForm::ExamModeValue));
    }

    void aNoteTheBankRefusesLeavesTheBankAsItWas_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("bank locked for writing") << int(FileLock::Kind::Writes);
        QTest::newRow("bank locked for everything") << int(FileLock::Kind::Everything);
    }

    void aNoteTheBankRefusesLeavesTheBankAsItWas()
    {
        QFETCH(int, kind);
        m_driver = std::make_unique<ExamDriver>();
        m_driver->showTestWindow();
        clickStart(QStringLiteral("fcShapeBtn1"), true);
        const qint64 item = form()->dtCurrentSet->fieldInt(Field::QOrNumber);
        const QString memoQuery =
            QStringLiteral("SELECT coalesce(U_MEMO,'') FROM tsl4 WHERE Q_ID=%1").arg(item);
        const QStringList before = FixtureBank::query(path(Schemas::BankFile), memoQuery);
        auto lock = std::make_unique<FileLock>(path(Schemas::BankFile), FileLock::Kind(kind));
        QVERIFY(lock->held());

        bool saveEnabled = false;
        bool cancelEnabled = false;
        QTimer::singleShot(0, [&] {
            QWidget* note = QApplication::activeModalWidget();
            QVERIFY(note);
            auto* memo = note->findChild<QPlainTextEdit*>(QStringLiteral("DBMemo1"));
            memo->setFocus();
            QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(memo, QStringLiteral("told it failed"));
            QTest::mouseClick(note->findChild<QPushButton*>(QStringLiteral("Button1")),
                              Qt::LeftButton);
            saveEnabled = note->findChild<QPushButton*>(QStringLiteral("Button1"))->isEnabled();
            cancelEnabled = note->findChild<QPushButton*>(QStringLiteral("Button2"))->isEnabled();
            QTest::mouseClick(note->findChild<QPushButton*>(QStringLiteral("Button3")),
                              Qt::LeftButton);
        });
        QTest::mouseClick(find<QPushButton>(QStringLiteral("NoteButton")), Qt::LeftButton);
        const QString message = onlyError();
        QVERIFY2(message.contains(Schemas::BankFile) && message.contains(QStringLiteral("locked")),
                 qPrintable(message));
        QVERIFY(saveEnabled);
        QVERIFY(cancelEnabled);
        QCOMPARE(form()->dtQSet->state(), Table::State::Browse);
        QCOMPARE(form()->dtCurrentSet->fieldText(Field::UMemo), QStringLiteral("told it failed"));

        // Moving on and leaving the exam store nothing behind the candidate's back.
        lock.reset();
        QTest::mouseClick(find<QPushButton>(QStringLiteral("NextButton")), Qt::LeftButton);
        Prompt::setNextAnswers({QMessageBox::Yes});
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Button3")), Qt::LeftButton);
        QVERIFY(Prompt::takeRecords().size() == 1); // the question; no error
        QCOMPARE(form()->ExamMode(), int(TTestForm::HomeMode));
        QCOMPARE(FixtureBank::query(path(Schemas::BankFile), memoQuery), before);

        // With the file free again, a save works as always.
        clickStart(QStringLiteral("fcShapeBtn1"), true);
        for (int moves = 0; form()->dtCurrentSet->fieldInt(Field::QOrNumber) != item; ++moves) {
            QVERIFY(moves < form()->ItemCount());
            QTest::mouseClick(find<QPushButton>(QStringLiteral("NextButton")), Qt::LeftButton);
        }
        QTimer::singleShot(0, [&] {
            QWidget* note = QApplication::activeModalWidget();
            auto* memo = note->findChild<QPlainTextEdit*>(QStringLiteral("DBMemo1"));
            memo->setFocus();
            QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(memo, QStringLiteral("saved now"));
            QTest::mouseClick(note->findChild<QPushButton*>(QStringLiteral("Button1")),
                              Qt::LeftButton);
            QTest::mouseClick(note->findChild<QPushButton*>(QStringLiteral("Button3")),
                              Qt::LeftButton);
        });
        QTest::mouseClick(find<QPushButton>(QStringLiteral("NoteButton")), Qt::LeftButton);
        QVERIFY(Prompt::takeRecords().isEmpty());
        QCOMPARE(FixtureBank::query(path(Schemas::BankFile), memoQuery),
                 QStringList{QStringLiteral("saved now")});
    }

    void aSecondProgramWaitsForTheLockAndLosesNothing()
    {
        m_driver = std::make_unique<ExamDriver>();
        m_driver->showTestWindow();
        clickStart(QStringLiteral("fcShapeBtn1"), true); // holds ces.DAT exclusively
        QCOMPARE(form()->ExamMode(), int(TTestForm::ExamModeValue));

        Program second(m_driver->folder());
        second.TestForm->show();
        QElapsedTimer clock;
        clock.start();
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<TNameForm*>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        QTest::mouseClick(second.TestForm->findChild<ShapedButton*>(QStringLiteral("fcShapeBtn2")),
                          Qt::LeftButton);
        const QString message = onlyError();
        QVERIFY2(message.contains(Schemas::CurrentExamFile) &&
                     message.contains(QStringLiteral("locked")),
                 qPrintable(message));
        QVERIFY(clock.elapsed() >= Table::LockWaitMilliseconds - 200);
        QCOMPARE(second.TestForm->ExamMode(), int(TTestForm::HomeMode));

        // The first keeps working: it moves through its exam and grades it.
        QTest::mouseClick(find<QPushButton>(QStringLiteral("NextButton")), Qt::LeftButton);
        QCOMPARE(form()->dtCurrentSet->recNo(), 2);
        Prompt::setNextAnswers({QMessageBox::Yes});
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Button3")), Qt::LeftButton);

        // Once it lets go, the second one starts its exam.
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<TNameForm*>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        QTest::mouseClick(second.TestForm->findChild<ShapedButton*>(QStringLiteral("fcShapeBtn2")),
                          Qt::LeftButton);
        QCOMPARE(second.TestForm->ExamMode(), int(TTestForm::ExamModeValue));
        second.TestForm->CloseCurrentExam();
    }

    void hostileContentNeitherCrashesNorRenders()
    {
        QVector<FixtureItem> items(5);
        for (FixtureItem& item : items) {
            item.examNumber = 1;
            item.choices = {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")};
            item.keys = {true, false, false};
            item.explanation = QStringLiteral("because");
        }
        items[0].text = QStringLiteral("word ").repeated(200000); // a megabyte
        items[0].explanation = QStringLiteral("<b>x</b> & y ").repeated(70000);
        items[1].text = QStringLiteral("<html><b>bold</b><img src=x></html> &amp; a<b");
        items[1].section = 0;
        items[2].section = 9;
        items[2].keys = {false, false, false};              // no correct choice at all
        items[3].keys = {false, false, false, false, true}; // a key on an empty choice
        items[4].section = -3;
        items.append(items[1]);
        items.last().examNumber = 2; // an exam of one item
        m_driver = std::make_unique<ExamDriver>(items);
        m_driver->showTestWindow();

        clickStart(QStringLiteral("fcShapeBtn1"), true);
        QCOMPARE(form()->ItemCount(), 5);
        for (int k = 1; k <= 5; ++k) {
            form()->dtCurrentSet->setRecNo(k);
            if (form()->dtCurrentSet->fieldInt(Field::QSect) == 0) {
                auto* question = find<QLabel>(QStringLiteral("QText"));
                QCOMPARE(question->textFormat(), Qt::PlainText);
                QCOMPARE(question->text(), items[1].text);
            }
        }
        // Grade everything unanswered: defined, and the odd sections stay out of the chart.
        Prompt::setNextAnswers({QMessageBox::Ok});
        QString line;
        QStringList labels;
        QTimer::singleShot(0, [&] {
            auto* score = qobject_cast<TScoreForm*>(QApplication::activeModalWidget());
            QVERIFY(score);
            line = score->findChild<QLabel*>(QStringLiteral("TotalLabel"))->text();
            for (const BarChartModel::Point& point : score->results().sections.points)
                labels.append(point.label);
            Prompt::setNextAnswers({QMessageBox::Yes});
            QTest::mouseClick(score->findChild<QPushButton*>(QStringLiteral("BitBtn3")),
                              Qt::LeftButton);
        });
        QTest::mouseClick(find<QPushButton>(QStringLiteral("GradeButton")), Qt::LeftButton);
        QCOMPARE(line, QStringLiteral("Passing Score: 850   Your Score: 0   Grade: Fail"));
        // Sections 0, 9 and -3 stay out of the tally; the two items of section 1 are counted.
        QCOMPARE(labels.size(), 7);
        QCOMPARE(labels.last(), QStringLiteral("Planning (0/2) "));
        for (int i = 0; i < 6; ++i)
            QVERIFY2(labels[i].endsWith(QStringLiteral("(0/0) ")), qPrintable(labels[i]));

        // An exam of one item: both moves disabled.
        clickStart(QStringLiteral("fcShapeBtn2"), true);
        QCOMPARE(form()->ItemCount(), 1);
        QVERIFY(!find<QPushButton>(QStringLiteral("PrevButton"))->isEnabled());
        QVERIFY(!find<QPushButton>(QStringLiteral("NextButton"))->isEnabled());
        Prompt::setNextAnswers({QMessageBox::Yes});
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Button3")), Qt::LeftButton);

        // An exam with no items grades and says so.
        clickStart(QStringLiteral("fcShapeBtn3"), true);
        QCOMPARE(form()->ItemCount(), 0);
        QCOMPARE(find<QWidget>(QStringLiteral("Label1"))->property("text").toString(),
                 QStringLiteral("Item 0 of 0"));
        QTimer::singleShot(0, [&] {
            if (auto* review = qobject_cast<TReviewForm*>(QApplication::activeModalWidget())) {
                QCOMPARE(review->findChild<QListWidget*>(QStringLiteral("ListView1"))->count(), 0);
                review->reject();
            }
        });
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Button1")), Qt::LeftButton);
        Prompt::setNextAnswers({QMessageBox::Ok});
        QTimer::singleShot(0, [&] {
            auto* score = qobject_cast<TScoreForm*>(QApplication::activeModalWidget());
            QVERIFY(score);
            line = score->findChild<QLabel*>(QStringLiteral("TotalLabel"))->text();
            Prompt::setNextAnswers({QMessageBox::Yes});
            QTest::mouseClick(score->findChild<QPushButton*>(QStringLiteral("BitBtn3")),
                              Qt::LeftButton);
        });
        QTest::mouseClick(find<QPushButton>(QStringLiteral("GradeButton")), Qt::LeftButton);
        QCOMPARE(line, QStringLiteral(
                           "Passing Score: 850   This exam has no items, so it has no score."));
    }
};

TESSALY_TEST_MAIN(TestFaults)
#include "tst_faults.moc"
