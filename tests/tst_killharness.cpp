#include "FixtureBank.h"
#include "KillTexts.h"
#include "TableSchema.h"
#include "TestMain.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <csignal>

// Kills a process that is writing notes, personal items or exam builds at random moments, and
// checks after every kill that the three files are whole and hold only texts that were
// written in full. TESSALY_KILL_ROUNDS sets the number of kills (210 by default).
class TestKillHarness : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_connection = 0;

    // Runs `sql` on a table file and returns every row's columns joined by a tab. A file that
    // cannot be opened or queried is a failure, kept in m_failure with its text: it is never
    // counted as a row.
    QStringList rows(const QString& file, const QString& sql)
    {
        QStringList result;
        if (!QFile::exists(m_dir.filePath(file)))
            return result; // not written yet; opening it here must not create it
        const QString name = QStringLiteral("harness-%1").arg(++m_connection);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(m_dir.filePath(file));
            if (db.open()) {
                QSqlQuery query(db);
                if (query.exec(sql)) {
                    while (query.next()) {
                        QStringList columns;
                        for (int i = 0; i < query.record().count(); ++i)
                            columns.append(query.value(i).toString());
                        result.append(columns.join(QLatin1Char('\t')));
                    }
                } else {
                    m_failure = file + QStringLiteral(": ") + sql + QStringLiteral(": ") +
                                query.lastError().text();
                }
            } else {
                m_failure = file + QStringLiteral(": ") + db.lastError().text();
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return result;
    }

    QString m_failure;

    void verifyFiles(const QString& mode, int round)
    {
        const QString where = QStringLiteral("%1, kill %2").arg(mode).arg(round);
        for (const QString& file :
             {Schemas::BankFile, Schemas::CurrentExamFile, Schemas::PersonalFile}) {
            if (!QFile::exists(m_dir.filePath(file)))
                continue;
            const QStringList check = rows(file, QStringLiteral("PRAGMA integrity_check"));
            QVERIFY2(m_failure.isEmpty(), qPrintable(where + QStringLiteral(": ") + m_failure));
            QCOMPARE(check, QStringList{"ok"});
        }
        for (const QString& row : rows(
                 Schemas::BankFile, QStringLiteral("SELECT Q_ID, coalesce(U_MEMO,'') FROM tsl4"))) {
            const QStringList columns = row.split(QLatin1Char('\t'));
            QVERIFY2(KillTexts::isWhole(columns.value(1), columns.value(0).toLongLong()),
                     qPrintable(where + ": note of item " + columns.value(0)));
        }
        for (const QString& row :
             rows(Schemas::PersonalFile, QStringLiteral("SELECT Q_ID, coalesce(Q_TEXT,''), "
                                                        "coalesce(Q_EXPL,'') FROM tsl4usr"))) {
            const QStringList columns = row.split(QLatin1Char('\t'));
            const qint64 id = columns.value(0).toLongLong();
            QVERIFY2(KillTexts::isWhole(columns.value(1), id), qPrintable(where));
            // Question and explanation were stored together: one without the other is a tear.
            QVERIFY2(columns.value(1) == columns.value(2), qPrintable(where));
        }
        QVERIFY2(m_failure.isEmpty(), qPrintable(where + QStringLiteral(": ") + m_failure));
        if (QFile::exists(m_dir.filePath(Schemas::CurrentExamFile))) {
            const QStringList exam =
                rows(Schemas::CurrentExamFile, QStringLiteral("SELECT Q_OR_NUMBER FROM ces"));
            // A build is whole or absent: nothing, or every item of the exam exactly once.
            QVERIFY2(exam.isEmpty() ||
                         (exam.size() == m_examSize &&
                          QSet<QString>(exam.cbegin(), exam.cend()).size() == m_examSize),
                     qPrintable(where + QStringLiteral(": %1 items").arg(exam.size())));
            QVERIFY2(m_failure.isEmpty(), qPrintable(where + QStringLiteral(": ") + m_failure));
        }
    }

    int m_examSize = 0;

private slots:
    void killsAtRandomMomentsLoseNothing()
    {
        QVERIFY(m_dir.isValid());
        QVector<FixtureItem> bank = FixtureBank::generate(120, 10);
        for (FixtureItem& item : bank)
            item.memo.clear(); // every note in the file is then one the writer wrote
        FixtureBank::writeBank(m_dir.filePath(Schemas::BankFile), bank);
        for (const FixtureItem& item : bank)
            m_examSize += item.examNumber != 0 ? 1 : 0;

        const QString target =
            QCoreApplication::applicationDirPath() + QStringLiteral("/tessaly_killtarget");
        QVERIFY(QFile::exists(target));
        const int rounds = qEnvironmentVariableIsSet("TESSALY_KILL_ROUNDS")
                               ? qEnvironmentVariableIntValue("TESSALY_KILL_ROUNDS")
                               : 210;
        const QStringList modes = {QStringLiteral("notes"), QStringLiteral("personal"),
                                   QStringLiteral("build")};
        QRandomGenerator random(20261211);
        for (int round = 0; round < rounds; ++round) {
            const QString mode = modes[round % modes.size()];
            QProcess process;
            process.start(target, {mode, m_dir.path()});
            QVERIFY(process.waitForStarted());
            QVERIFY(process.waitForReadyRead(10000)); // "ready": the loop begins
            QTest::qSleep(int(random.bounded(1, 120)));
            ::kill(pid_t(process.processId()), SIGKILL);
            QVERIFY(process.waitForFinished(10000));
            QCOMPARE(process.exitStatus(), QProcess::CrashExit);
            verifyFiles(mode, round);
            if (QTest::currentTestFailed())
                return;
        }
        // The writers did write: some notes and items stand in the files.
        QVERIFY(!rows(Schemas::BankFile, QStringLiteral("SELECT Q_ID FROM tsl4 WHERE U_MEMO <> ''"))
                     .isEmpty());
        QVERIFY(!rows(Schemas::PersonalFile, QStringLiteral("SELECT Q_ID FROM tsl4usr")).isEmpty());
    }
};

TESSALY_TEST_MAIN(TestKillHarness)
#include "tst_killharness.moc"
