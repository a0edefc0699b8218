#include "ChooserDialogs.h"
#include "ExamDriver.h"
#include "FieldNames.h"
#include "FileLock.h"
#include "GuiTest.h"
#include "HistoryStore.h"
#include "PdfReader.h"
#include "PrintDialog.h"
#include "Prompt.h"
#include "SectionTitles.h"
#include "SettingsStore.h"
#include "ShapedButton.h"
#include "StudyPlan.h"
#include "TNameForm.h"
#include "TScoreForm.h"
#include "TStudyProgressForm.h"
#include "TTestForm.h"
#include "Table.h"
#include "TableSchema.h"
#include "TestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

// The study history: what grading records, what it does when the file cannot take it, the
// Study menu's practice exams and the Progress window.
class TestHistory : public GuiTest {
    Q_OBJECT

private:
    QString path(const QString& file) const { return QDir(m_driver->folder()).filePath(file); }

    QStringList query(const QString& sql) const
    {
        return FixtureBank::query(path(HistoryStore::FileName), sql);
    }

    // Starts an exam with `trigger` (a button or action) and answers the start dialog.
    void start(const std::function<void()>& trigger, QString* caption = nullptr,
               int* count = nullptr)
    {
        m_driver->startExam(trigger, [&](TNameForm* dialog) {
            if (caption)
                *caption = dialog->windowTitle();
            if (count)
                *count = dialog->questionCount();
            dialog->findChild<QLineEdit*>(QStringLiteral("NameEdit"))
                ->setText(QStringLiteral("Robin"));
        });
    }

    void startPractice(int exam)
    {
        start([this, exam] {
            QTest::mouseClick(find<ShapedButton>(QStringLiteral("fcShapeBtn%1").arg(exam)),
                              Qt::LeftButton);
        });
    }

    // Answers item `number` by clicking the texts of its keyed choices (or of its first
    // wrong choice), and marks it when asked.
    void answer(int number, bool correctly, bool mark = false)
    {
        Table* exam = form()->dtCurrentSet;
        exam->setRecNo(number);
        if (mark)
            QTest::mouseClick(find<QCheckBox>(QStringLiteral("MarkBox")), Qt::LeftButton);
        for (int i = 1; i <= 6; ++i) {
            const bool key = exam->fieldBool(Field::key(i));
            if (correctly ? key : (!key && !exam->fieldText(Field::choice(i)).isEmpty())) {
                QTest::mouseClick(find<QWidget>(QStringLiteral("ALabel%1").arg(i)), Qt::LeftButton,
                                  {}, QPoint(3, 3));
                if (!correctly)
                    break;
            }
        }
    }

    void markOnly(int number)
    {
        form()->dtCurrentSet->setRecNo(number);
        QTest::mouseClick(find<QCheckBox>(QStringLiteral("MarkBox")), Qt::LeftButton);
    }

    // Grades with Grade Now and OK and leaves the score window with Exit Exam and Yes. The
    // two questions are taken off the records.
    void gradeAndGoHome()
    {
        Prompt::setNextAnswers({QMessageBox::Ok, QMessageBox::Yes});
        withModal<TScoreForm>(
            [this] {
                QTest::mouseClick(find<QPushButton>(QStringLiteral("GradeButton")), Qt::LeftButton);
            },
            [](TScoreForm* score) {
                QTest::mouseClick(score->findChild<QPushButton*>(QStringLiteral("BitBtn3")),
                                  Qt::LeftButton);
            });
        const QList<Prompt::Record> records = Prompt::takeRecords();
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[1].text, QStringLiteral("Are you sure you wish to end this exam?"));
    }

    QAction* study(const char* name) { return find<QAction>(QLatin1String(name)); }

    // The Q_OR_NUMBER of every item of the running exam.
    QSet<qint64> examItems()
    {
        QSet<qint64> ids;
        Table* exam = form()->dtCurrentSet;
        for (int k = 1; k <= form()->ItemCount(); ++k) {
            exam->setRecNo(k);
            ids.insert(exam->fieldInt(Field::QOrNumber));
        }
        return ids;
    }

private slots:
    void init()
    {
        GuiTest::init();
        m_driver = std::make_unique<ExamDriver>(ExamDriver::standardBank(),
                                                FixtureBank::generate(4), QVector<qint64>{});
        m_driver->showTestWindow();
    }

    void gradingRecordsTheAttemptWithEveryItem_data()
    {
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<int>("marked");
        QTest::newRow("nothing answered") << 0 << 0 << 0;
        QTest::newRow("some right, some wrong, two marked") << 4 << 3 << 2;
        QTest::newRow("all right") << 8 << 0 << 1;
    }

    void gradingRecordsTheAttemptWithEveryItem()
    {
        QFETCH(int, correct);
        QFETCH(int, wrong);
        QFETCH(int, marked);
        startPractice(2);
        const int items = form()->ItemCount();
        QCOMPARE(items, 8); // nine of the fixture's exam B, one of them in no exam
        for (int k = 1; k <= items; ++k) {
            if (k <= correct + wrong)
                answer(k, k <= correct, k <= marked);
            else if (k <= marked)
                markOnly(k);
        }
        gradeAndGoHome(); // asks only its two questions

        const QStringList attempts =
            query(QStringLiteral("SELECT exam_title || '|' || candidate || '|' || source || '|' "
                                 "|| item_count || '|' || correct || '|' || passed || '|' || "
                                 "time_limit_min || '|' || timer_on FROM attempts"));
        QCOMPARE(attempts.size(), 1);
        QCOMPARE(attempts[0], QStringLiteral("Practice Exam B|Robin|bank|8|%1|%2|90|1")
                                  .arg(correct)
                                  .arg(correct * 1000 >= 850 * 8 ? 1 : 0));
        QCOMPARE(query(QStringLiteral("SELECT score FROM attempts")).value(0).toDouble(),
                 correct * 1000.0 / 8);
        QCOMPARE(query(QStringLiteral("SELECT count(*) FROM attempt_items")).value(0).toInt(),
                 items);
        QCOMPARE(query(QStringLiteral("SELECT sum(correct) FROM attempt_items")).value(0).toInt(),
                 correct);
        QCOMPARE(query(QStringLiteral("SELECT sum(marked) FROM attempt_items")).value(0).toInt(),
                 marked);
        QCOMPARE(query(QStringLiteral("SELECT count(*) FROM attempt_items WHERE selected <> ''"))
                     .value(0)
                     .toInt(),
                 correct + wrong);
        // Positions run 1 to n, each with a bank item of that exam.
        const QStringList rows = query(
            QStringLiteral("SELECT position || ':' || q_or_number FROM attempt_items ORDER BY "
                           "position"));
        QCOMPARE(rows.size(), items);
        for (int k = 0; k < items; ++k) {
            QVERIFY(rows[k].startsWith(QStringLiteral("%1:").arg(k + 1)));
            const qint64 id = rows[k].section(QLatin1Char(':'), 1).toLongLong();
            QCOMPARE(int((id - 1) % 6 + 1), 2); // the fixture puts Q_ID n in exam (n-1)%6+1
        }
    }

    void learnNowAndTheSelectedLettersAreRecorded()
    {
        Settings shown;
        shown.ShowLearnBtn = true;
        SettingsStore().save(shown);
        m_driver.reset(); // its test window, modal, would take every click
        m_driver = std::make_unique<ExamDriver>();
        m_driver->showTestWindow();
        startPractice(1);
        answer(1, true);
        const QString letters = [this] {
            QString text;
            for (int i = 1; i <= 6; ++i) {
                if (form()->dtCurrentSet->fieldBool(Field::key(i)))
                    text += QChar('A' + i - 1);
            }
            return text;
        }();
        QTest::mouseClick(find<QPushButton>(QStringLiteral("LearnButton")), Qt::LeftButton);
        gradeAndGoHome();
        SettingsStore().save(Settings());
        QCOMPARE(query(QStringLiteral("SELECT selected || '|' || learned FROM attempt_items "
                                      "WHERE position = 1")),
                 QStringList{letters + QStringLiteral("|1")});
        QCOMPARE(query(QStringLiteral("SELECT sum(learned) FROM attempt_items")).value(0).toInt(),
                 1);
    }

    void aHistoryThatCannotTakeTheAttemptOnlySaysSo_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("recorded");
        QTest::newRow("damaged") << "damaged"
                                 << "was damaged" << 1;
        QTest::newRow("locked") << "locked"
                                << "was not recorded" << 0;
        QTest::newRow("a folder in its place") << "folder"
                                               << "was not recorded" << 0;
    }

    void aHistoryThatCannotTakeTheAttemptOnlySaysSo()
    {
        QFETCH(QString, how);
        QFETCH(QString, message);
        QFETCH(int, recorded);
        const QString file = path(HistoryStore::FileName);
        const QByteArray noise = QByteArray("not a history at all ").repeated(300);
        std::unique_ptr<FileLock> lock;
        if (how == QLatin1String("damaged")) {
            QFile damaged(file);
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write(noise);
        } else if (how == QLatin1String("locked")) {
            QVERIFY(HistoryStore(file).prepare().isEmpty());
            lock = std::make_unique<FileLock>(file, FileLock::Kind::Everything);
            QVERIFY(lock->held());
        } else {
            QVERIFY(QDir().mkdir(file));
        }

        startPractice(3);
        answer(1, true);
        bool scoreShown = false;
        Prompt::setNextAnswers({QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Yes});
        withModal<TScoreForm>(
            [this] {
                QTest::mouseClick(find<QPushButton>(QStringLiteral("GradeButton")), Qt::LeftButton);
            },
            [&](TScoreForm* score) {
                scoreShown = true;
                QTest::mouseClick(score->findChild<QPushButton*>(QStringLiteral("BitBtn3")),
                                  Qt::LeftButton);
            });
        QVERIFY(scoreShown);
        const QList<Prompt::Record> records = Prompt::takeRecords();
        QCOMPARE(records.size(), 3); // the confirmation, the one message, Exit Exam's question
        QVERIFY2(records[1].text.contains(message), qPrintable(records[1].text));
        QVERIFY2(records[1].text.contains(HistoryStore::FileName), qPrintable(records[1].text));
        QCOMPARE(form()->ExamMode(), int(TTestForm::HomeMode));

        lock.reset();
        if (how == QLatin1String("folder")) {
            QVERIFY(QDir(file).exists()); // nothing of the candidate's is ever deleted
            return;
        }
        QCOMPARE(HistoryStore(file).attempts().size(), recorded);
        if (how == QLatin1String("damaged")) {
            QFile aside(file + QStringLiteral(".damaged"));
            QVERIFY(aside.open(QIODevice::ReadOnly));
            QCOMPARE(aside.readAll(), noise);
        }
    }

    void theStudyMenuIsThereExactlyWhenTheExamsMenuIs()
    {
        auto* examsMenu = find<QMenu>(QStringLiteral("ExamsMenu"));
        auto* studyMenu = find<QMenu>(QStringLiteral("StudyMenu"));
        QCOMPARE(studyMenu->title(), QStringLiteral("&Study"));
        const QList<QAction*> actions = studyMenu->actions();
        QCOMPARE(actions.first()->text(), QStringLiteral("&Progress..."));
        QVERIFY(studyMenu->isEnabled() && examsMenu->isEnabled());
        startPractice(4);
        QVERIFY(!studyMenu->isEnabled() && !examsMenu->isEnabled());
        m_driver->gradeAndViewAnswers();
        QVERIFY(!studyMenu->isEnabled() && !examsMenu->isEnabled());
        Prompt::setNextAnswers({QMessageBox::Yes});
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Button3")), Qt::LeftButton);
        QVERIFY(studyMenu->isEnabled() && examsMenu->isEnabled());
    }

    void retakesDrawExactlyTheItemsMissedOrMarked()
    {
        // Without any attempt there is nothing to retake.
        Prompt::setNextAnswers({QMessageBox::Ok});
        study("RetakeMissedAct")->trigger();
        QCOMPARE(Prompt::takeRecords().value(0).text,
                 QStringLiteral("No graded exam has been recorded yet."));

        startPractice(5);
        QSet<qint64> missed;
        QSet<qint64> marked;
        for (int k = 1; k <= form()->ItemCount(); ++k) {
            form()->dtCurrentSet->setRecNo(k);
            const qint64 id = form()->dtCurrentSet->fieldInt(Field::QOrNumber);
            const bool right = k % 3 != 0;
            answer(k, right, k == 2 || k == 3);
            if (!right)
                missed.insert(id);
            if (k == 2 || k == 3)
                marked.insert(id);
        }
        gradeAndGoHome();

        QString caption;
        int count = 0;
        start([this] { study("RetakeMissedAct")->trigger(); }, &caption, &count);
        QCOMPARE(caption, QStringLiteral("Missed Items"));
        QCOMPARE(count, int(missed.size()));
        QCOMPARE(form()->ExamTitle(), QStringLiteral("Missed Items"));
        QCOMPARE(examItems(), missed);
        gradeAndGoHome();

        // The latest attempt is now the retake, which missed everything; its marked items are
        // none.
        Prompt::setNextAnswers({QMessageBox::Ok});
        study("RetakeMarkedAct")->trigger();
        QCOMPARE(Prompt::takeRecords().value(0).text,
                 QStringLiteral("The latest graded exam has no marked items."));
        QCOMPARE(form()->ExamMode(), int(TTestForm::HomeMode));
        Q_UNUSED(marked)
    }

    void markedItemsOfAPersonalExamComeBackFromThePersonalTable()
    {
        start([this] {
            QTest::mouseClick(find<ShapedButton>(QStringLiteral("UserBtn")), Qt::LeftButton);
        });
        QCOMPARE(form()->ItemCount(), 4);
        QSet<qint64> marked;
        for (int k : {1, 4}) {
            answer(k, true, true);
            marked.insert(form()->dtCurrentSet->fieldInt(Field::QOrNumber));
        }
        gradeAndGoHome();
        start([this] { study("RetakeMarkedAct")->trigger(); });
        QCOMPARE(form()->ExamTitle(), QStringLiteral("Marked Items"));
        QCOMPARE(examItems(), marked);
        QVERIFY(find<QPushButton>(QStringLiteral("NoteButton"))->isHidden());
    }

    void theWeakestSectionAndTheNeverCorrectItemsComeFromEveryBankAttempt()
    {
        // Section 2 wrong, every other right: section 2 is the weakest.
        startPractice(1);
        QSet<qint64> right;
        for (int k = 1; k <= form()->ItemCount(); ++k) {
            form()->dtCurrentSet->setRecNo(k);
            const bool wrong = form()->dtCurrentSet->fieldInt(Field::QSect) == 2;
            if (!wrong)
                right.insert(form()->dtCurrentSet->fieldInt(Field::QOrNumber));
            answer(k, !wrong);
        }
        gradeAndGoHome();

        QSet<qint64> sectionTwo;
        QSet<qint64> neverRight;
        const QVector<FixtureItem> bank = ExamDriver::standardBank();
        for (int i = 0; i < bank.size(); ++i) {
            const qint64 id = i + 1;
            if (bank[i].examNumber == 0)
                continue;
            if (bank[i].section == 2)
                sectionTwo.insert(id);
            if (!right.contains(id))
                neverRight.insert(id);
        }
        QString caption;
        start([this] { study("WeakestSectionAct")->trigger(); }, &caption);
        QCOMPARE(caption, QStringLiteral("Weakest Section: ") + SectionTitles::title(2));
        QCOMPARE(examItems(), sectionTwo);
        Prompt::setNextAnswers({QMessageBox::Yes});
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Button3")), Qt::LeftButton);

        start([this] { study("NeverCorrectAct")->trigger(); }, &caption);
        QCOMPARE(caption, QStringLiteral("Never Answered Correctly"));
        QCOMPARE(examItems(), neverRight);
    }

    void theProgressWindowShowsPrintsExportsAndDeletes()
    {
        for (int exam : {1, 2}) {
            startPractice(exam);
            for (int k = 1; k <= exam * 3; ++k)
                answer(k, true);
            gradeAndGoHome();
        }
        Prompt::takeRecords();
        const QString pdf = path(QStringLiteral("progress.pdf"));
        const QString csv = path(QStringLiteral("history.csv"));
        QStringList exams;
        withModal<TStudyProgressForm>(
            [this] { study("ProgressAct")->trigger(); },
            [&](TStudyProgressForm* window) {
                QCOMPARE(window->windowTitle(), QStringLiteral("Progress"));
                auto* list = window->findChild<QTreeWidget*>(QStringLiteral("AttemptList"));
                for (int row = 0; row < list->topLevelItemCount(); ++row)
                    exams.append(list->topLevelItem(row)->text(1) + QLatin1Char(' ') +
                                 list->topLevelItem(row)->text(2) + QLatin1Char(' ') +
                                 list->topLevelItem(row)->text(3));
                PrintDialog::setNextAnswers({{true, pdf}});
                QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("PrintButton")),
                                  Qt::LeftButton);
                ChooserDialogs::setNextFileToSave(csv);
                QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("ExportButton")),
                                  Qt::LeftButton);
                Prompt::setNextAnswers({QMessageBox::Yes});
                QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("DeleteButton")),
                                  Qt::LeftButton);
                QCOMPARE(list->topLevelItemCount(), 0);
                QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("CloseButton")),
                                  Qt::LeftButton);
            });
        // Newest first: 6 of exam B's 8 items, 3 of exam A's 10.
        QCOMPARE(exams, (QStringList{QStringLiteral("Practice Exam B 750 Fail"),
                                     QStringLiteral("Practice Exam A 300 Fail")}));
        const QString printed = PdfReader::text(pdf);
        QVERIFY2(printed.contains(QStringLiteral("Study Progress")) &&
                     printed.contains(QStringLiteral("Practice Exam B")),
                 qPrintable(printed));
        QFile exported(csv);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = exported.readAll().split('\n');
        QVERIFY(lines.first().startsWith("attempt_id,finished_at,exam_title"));
        QCOMPARE(lines.size() - 2, 18); // one row per item, a header, and the final line break
        QCOMPARE(HistoryStore(path(HistoryStore::FileName)).attempts().size(), 0);
        QCOMPARE(Prompt::takeRecords().size(), 1); // the deletion's question
    }

    void theWeakestSectionTiesToTheLowerNumber_data()
    {
        QTest::addColumn<QVector<int>>("items");
        QTest::addColumn<QVector<int>>("correct");
        QTest::addColumn<int>("weakest"); // 0: none
        QTest::newRow("no items") << QVector<int>(7, 0) << QVector<int>(7, 0) << 0;
        QTest::newRow("one lower")
            << QVector<int>{4, 4, 4, 4, 4, 4, 4} << QVector<int>{4, 3, 4, 1, 4, 4, 4} << 4;
        QTest::newRow("tie") << QVector<int>{2, 4, 0, 4, 4, 4, 4}
                             << QVector<int>{2, 2, 0, 2, 4, 4, 4} << 2;
        QTest::newRow("sections without items take no part")
            << QVector<int>{0, 3, 0, 0, 0, 0, 6} << QVector<int>{0, 3, 0, 0, 0, 0, 5} << 7;
        QTest::newRow("fractions compared exactly")
            << QVector<int>{3, 7, 0, 0, 0, 0, 0} << QVector<int>{2, 5, 0, 0, 0, 0, 0} << 1;
    }

    void theWeakestSectionTiesToTheLowerNumber()
    {
        QFETCH(QVector<int>, items);
        QFETCH(QVector<int>, correct);
        QFETCH(int, weakest);
        std::array<HistoryStore::SectionTally, 7> tallies{};
        for (int i = 0; i < 7; ++i)
            tallies[std::size_t(i)] = {items[i], correct[i]};
        QCOMPARE(StudyPlan::weakestSection(tallies).value_or(0), weakest);
    }
};

TESSALY_TEST_MAIN(TestHistory)
#include "tst_history.moc"
