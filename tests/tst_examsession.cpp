#include "DataError.h"
#include "ExamSession.h"
#include "FieldNames.h"
#include "FileLock.h"
#include "FixtureBank.h"
#include "Session.h"
#include "Table.h"
#include "TableSchema.h"
#include "TestMain.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

// The running exam without any window: the start sequence, the answer rules of each mode,
// grading, review, going home and the clock.
class TestExamSession : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    Session m_session;
    ItemStates m_states;
    std::unique_ptr<ExamSession> m_exam;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // 60 bank items, ten in each practice exam, and three personal items.
    void writeTables()
    {
        FixtureBank::writeBank(path(Schemas::BankFile), FixtureBank::generate(60));
        FixtureBank::writePersonal(path(Schemas::PersonalFile), FixtureBank::generate(3),
                                   {11, 12, 13});
    }

    void startPractice(int exam, int minutes = 90)
    {
        m_exam->setTitle(QStringLiteral("Practice Exam %1").arg(QChar('A' + exam - 1)));
        m_exam->setBankFilter(QStringLiteral("Q_EXAM_N=%1").arg(exam));
        ExamSession::Start start;
        start.candidate = QStringLiteral("Robin");
        start.minutes = minutes;
        m_exam->start(start);
    }

    // The keys of the current item.
    std::array<bool, 6> key() const
    {
        std::array<bool, 6> keys{};
        for (int i = 1; i <= 6; ++i)
            keys[std::size_t(i - 1)] = m_exam->currentSet()->fieldBool(Field::key(i));
        return keys;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_session.setDataFolder(m_dir.path());
        for (const QString& file :
             {Schemas::BankFile, Schemas::CurrentExamFile, Schemas::PersonalFile})
            QFile::remove(path(file));
        QFile::remove(path(Schemas::CurrentExamFile + QStringLiteral(".damaged")));
        writeTables();
        m_states.clear();
        m_exam = std::make_unique<ExamSession>(m_session, m_states);
    }

    void cleanup() { m_exam.reset(); }

    void theStartSequenceBuildsAndEntersExamMode_data()
    {
        QTest::addColumn<int>("source"); // 0 practice exam C, 1 all questions, 2 random, 3 user
        QTest::addColumn<int>("items");
        QTest::newRow("practice exam") << 0 << 10;
        QTest::newRow("all questions") << 1 << 60;
        QTest::newRow("random exam") << 2 << 7;
        QTest::newRow("user exam") << 3 << 3;
    }

    void theStartSequenceBuildsAndEntersExamMode()
    {
        QFETCH(int, source);
        QFETCH(int, items);
        QSignalSpy started(m_exam.get(), &ExamSession::started);
        QCOMPARE(m_exam->mode(), int(ExamSession::HomeMode));

        if (source != 3)
            QCOMPARE(m_exam->countExamItems(), 60);
        m_exam->setTitle(QStringLiteral("An exam"));
        m_exam->setBankFilter(source == 0 ? QStringLiteral("Q_EXAM_N=3")
                                          : QStringLiteral("Q_EXAM_N<>0"));
        ExamSession::Start start;
        start.source = source == 3 ? ExamSession::Source::User : ExamSession::Source::Bank;
        start.candidate = QStringLiteral("Dana");
        start.minutes = 45;
        start.random = source == 2;
        start.count = 7;
        m_exam->start(start);

        QCOMPARE(started.count(), 1);
        QCOMPARE(m_exam->mode(), int(ExamSession::ExamModeValue));
        QCOMPARE(m_exam->title(), QStringLiteral("An exam"));
        QCOMPARE(m_exam->candidate(), QStringLiteral("Dana"));
        QCOMPARE(m_exam->timeLimit(), 45 / 1440.0);
        QCOMPARE(m_exam->itemCount(), items);
        QCOMPARE(m_exam->firstItemNo(), 1);
        QVERIFY(!m_exam->isGraded());
        QCOMPARE(int(m_states.size()), items);
        Table* exam = m_exam->currentSet();
        for (exam->first(); !exam->eof(); exam->next()) {
            const ItemState& state = m_exam->currentItemState();
            QCOMPARE(state.Section, int(exam->fieldInt(Field::QSect)));
            QVERIFY(!state.anySelected() && !state.Marked && !state.Correct);
            if (source == 0)
                QCOMPARE(exam->fieldInt(Field::QExamN), 3);
        }
    }

    void answersCountInExamModeOnly()
    {
        QSignalSpy changed(m_exam.get(), &ExamSession::answersChanged);
        // At home nothing is answered, and there is no item to answer.
        QVERIFY(!m_exam->setChoiceSelected(1, true));
        QVERIFY(!m_exam->setMarked(true));
        QCOMPARE(changed.count(), 0);

        startPractice(1);
        m_exam->currentSet()->first();
        QVERIFY(m_exam->setSelected(key()));
        QCOMPARE(m_exam->currentItemState().Correct, 1);
        std::array<bool, 6> wrong = key();
        wrong[5] = !wrong[5];
        QVERIFY(m_exam->setSelected(wrong));
        QCOMPARE(m_exam->currentItemState().Correct, 0);
        QVERIFY(m_exam->setChoiceSelected(6, key()[5]));
        QCOMPARE(m_exam->currentItemState().Correct, 1);
        QVERIFY(!m_exam->setChoiceSelected(7, true)); // there is no choice g.
        QVERIFY(m_exam->setMarked(true));
        QCOMPARE(m_exam->currentItemState().Marked, 1);
        QCOMPARE(changed.count(), 4);

        // Graded and reviewed, the answers stand as they were.
        QVERIFY(m_exam->grade());
        m_exam->enterReview();
        QCOMPARE(m_exam->mode(), int(ExamSession::ReviewMode));
        const ItemStates before = m_states;
        m_exam->currentSet()->first();
        QVERIFY(!m_exam->setSelected(wrong));
        QVERIFY(!m_exam->setChoiceSelected(1, true));
        QVERIFY(!m_exam->setMarked(false));
        QCOMPARE(changed.count(), 4);
        QCOMPARE(m_states.size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            QVERIFY(m_states[i].Selected == before[i].Selected);
            QCOMPARE(m_states[i].Marked, before[i].Marked);
            QCOMPARE(m_states[i].Correct, before[i].Correct);
        }
    }

    void anExamIsGradedOnce()
    {
        QSignalSpy graded(m_exam.get(), &ExamSession::graded);
        QVERIFY(!m_exam->grade()); // nothing runs at home
        startPractice(2);
        Table* exam = m_exam->currentSet();
        for (int answered = 0; answered < 4; ++answered) {
            exam->setRecNo(answered + 1);
            m_exam->setSelected(key());
        }
        QVERIFY(m_exam->grade());
        QVERIFY(m_exam->isGraded());
        QCOMPARE(m_exam->mode(), int(ExamSession::ExamModeValue)); // until View Answers
        QCOMPARE(m_exam->results().scoreLine,
                 QStringLiteral("Passing Score: 850   Your Score: 400   Grade: Fail"));
        QCOMPARE(m_exam->results().titleLine,
                 QStringLiteral("Robin,  Tessaly 4,  Practice Exam B"));
        QVERIFY(!m_exam->grade());
        QCOMPARE(graded.count(), 1);

        // The next exam is graded again.
        m_exam->close();
        startPractice(3);
        QVERIFY(!m_exam->isGraded());
        QVERIFY(m_exam->grade());
        QCOMPARE(graded.count(), 2);
    }

    void goingHomeLetsEveryFileGo()
    {
        startPractice(4);
        QSignalSpy closed(m_exam.get(), &ExamSession::closed);
        m_exam->close();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(m_exam->mode(), int(ExamSession::HomeMode));
        QVERIFY(!m_exam->bank()->isActive());
        QVERIFY(!m_exam->currentSet()->isActive());
        QVERIFY(!m_exam->userSet()->isActive());
        QVERIFY(m_exam->bank()->filter().isEmpty());
        QVERIFY(!m_exam->bank()->filtered());
        // Another program can now take the files whole.
        FileLock lock(path(Schemas::CurrentExamFile), FileLock::Kind::Everything);
        QVERIFY(lock.held());
    }

    void aBuildThatFailsStaysHome()
    {
        FileLock lock(path(Schemas::BankFile), FileLock::Kind::Everything);
        QVERIFY(lock.held());
        QSignalSpy started(m_exam.get(), &ExamSession::started);
        QVERIFY_THROWS_EXCEPTION(DataError, startPractice(1));
        QCOMPARE(m_exam->mode(), int(ExamSession::HomeMode));
        QCOMPARE(started.count(), 0);
        QVERIFY(!m_exam->setMarked(true));
        m_exam->close(); // going home needs nothing of the locked file

        lock.release();
        startPractice(1);
        QCOMPARE(m_exam->mode(), int(ExamSession::ExamModeValue));
    }

    void aDamagedWorkingCopyIsReplacedAndSaysSo()
    {
        QFile damaged(path(Schemas::CurrentExamFile));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray(4096, 'x'));
        damaged.close();
        QSignalSpy replaced(m_exam.get(), &ExamSession::workingCopyReplaced);
        startPractice(5);
        QCOMPARE(replaced.count(), 1);
        QVERIFY(replaced.first().first().toString().contains(QStringLiteral("was damaged")));
        QVERIFY(QFile::exists(path(Schemas::CurrentExamFile + QStringLiteral(".damaged"))));
        QCOMPARE(m_exam->itemCount(), 10);
    }

    void theClockCountsDownAndExpiresAtTheLimit()
    {
        QDateTime now(QDate(2026, 3, 1), QTime(9, 0));
        m_exam->setClock([&now] { return now; });
        QVERIFY(!m_exam->clockRuns(true)); // home
        startPractice(6, 2);
        QVERIFY(m_exam->clockRuns(true));
        QVERIFY(!m_exam->clockRuns(false));
        m_exam->restartClock();

        now = now.addSecs(61);
        ExamSession::Tick tick = m_exam->tick();
        QVERIFY(!tick.expired);
        QCOMPARE(qRound(tick.remaining * 86400), 59);
        QCOMPARE(qRound(m_exam->elapsedTime() * 86400), 61);

        now = now.addSecs(59);
        tick = m_exam->tick();
        QVERIFY(tick.expired);
        QCOMPARE(qRound(tick.remaining * 86400), 0);
        // Expiry starts the clock again: going on without a limit counts from here.
        now = now.addSecs(5);
        QCOMPARE(qRound(m_exam->tick().remaining * 86400), 115);

        // A clock set back counts as no time passed.
        m_exam->restartClock();
        now = now.addSecs(-600);
        QCOMPARE(qRound(m_exam->tick().remaining * 86400), 120);

        QVERIFY(m_exam->grade());
        m_exam->enterReview();
        QVERIFY(!m_exam->clockRuns(true));
    }
};

TESSALY_TEST_MAIN(TestExamSession)
#include "tst_examsession.moc"
