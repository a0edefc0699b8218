#include "DataError.h"
#include "DataSource.h"
#include "FieldNames.h"
#include "FixtureBank.h"
#include "Session.h"
#include "Table.h"
#include "TableSchema.h"
#include "TestMain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

// The table layer: cursor, record numbers, filters, editing, and every kind of bad file.
class TestTable : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    Session m_session;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // Six bank items whose exam numbers are 1, 2, 1, 0, 1, 2.
    void writeSmallBank()
    {
        QVector<FixtureItem> items = FixtureBank::generate(6);
        const int exams[] = {1, 2, 1, 0, 1, 2};
        for (int i = 0; i < 6; ++i)
            items[i].examNumber = exams[i];
        QFile::remove(path(Schemas::BankFile));
        FixtureBank::writeBank(path(Schemas::BankFile), items);
    }

    // Runs `operation` and returns the message of the DataError it must throw.
    template <typename Operation> QString errorOf(Operation operation)
    {
        try {
            operation();
        } catch (const DataError& error) {
            return error.message();
        }
        return QStringLiteral("<no error>");
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_session.setDataFolder(m_dir.path());
        for (const QString& file :
             {Schemas::BankFile, Schemas::CurrentExamFile, Schemas::PersonalFile})
            QFile::remove(path(file));
    }

    void recordNumbersCountEveryRowWhateverTheFilter()
    {
        writeSmallBank();
        Table bank(m_session, Schemas::bank());
        bank.setFilter(QStringLiteral("Q_EXAM_N=1"));
        bank.setFiltered(true);
        bank.open();
        QCOMPARE(bank.recordCount(), 3);

        QList<int> numbers;
        QList<qint64> ids;
        for (bank.first(); !bank.eof(); bank.next()) {
            numbers.append(bank.recNo());
            ids.append(bank.fieldInt(Field::QId));
        }
        QCOMPARE(numbers, (QList<int>{1, 3, 5}));
        QCOMPARE(ids, (QList<qint64>{1, 3, 5}));
        QCOMPARE(bank.recordNumbers(), (QVector<qint64>{1, 3, 5}));

        // A hidden record number moves to the next record the filter shows.
        bank.setRecNo(4);
        QCOMPARE(bank.recNo(), 5);
        QVERIFY(bank.findKey(3));
        QCOMPARE(bank.recNo(), 3);
        QVERIFY(!bank.findKey(2)); // hidden by the filter: the cursor stays
        QCOMPARE(bank.recNo(), 3);

        bank.setFilter(QStringLiteral("Q_EXAM_N<>0"));
        QCOMPARE(bank.recordCount(), 5);
        bank.setFiltered(false);
        QCOMPARE(bank.recordCount(), 6);
        bank.setRecNo(4);
        QCOMPARE(bank.fieldInt(Field::QExamN), 0);
    }

    void filtersOutsideTheSupportedFormAreRefused_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("equal") << "Q_EXAM_N=3" << true;
        QTest::newRow("not equal, spaced") << " q_exam_n <> 0 " << true;
        QTest::newRow("negative") << "Q_SECT=-1" << true;
        QTest::newRow("greater") << "Q_EXAM_N>1" << false;
        QTest::newRow("injection") << "Q_EXAM_N=1 OR 1=1" << false;
        QTest::newRow("statement") << "Q_EXAM_N=1; DROP TABLE tsl4" << false;
        QTest::newRow("quoted") << "Q_EXAM_N='1'" << false;
        QTest::newRow("unknown field") << "NO_SUCH=1" << false;
        QTest::newRow("text value") << "Q_TEXT=abc" << false;
    }

    void filtersOutsideTheSupportedFormAreRefused()
    {
        QFETCH(QString, expression);
        QFETCH(bool, accepted);
        writeSmallBank();
        Table bank(m_session, Schemas::bank());
        bank.open();
        const QString message = errorOf([&] {
            bank.setFilter(expression);
            bank.setFiltered(true);
        });
        if (accepted) {
            QCOMPARE(message, QStringLiteral("<no error>"));
        } else {
            QVERIFY2(message.contains(expression), qPrintable(message));
            QCOMPARE(FixtureBank::query(path(Schemas::BankFile),
                                        QStringLiteral("SELECT COUNT(*) FROM tsl4")),
                     QStringList{QStringLiteral("6")});
        }
    }

    void fieldsAreMatchedWithoutRegardToCase()
    {
        writeSmallBank();
        Table bank(m_session, Schemas::bank());
        bank.open();
        QCOMPARE(bank.fieldText(QStringLiteral("Q_Text")), QStringLiteral("Question 1"));
        QCOMPARE(bank.fieldText(QStringLiteral("q_text")), QStringLiteral("Question 1"));
        const QString message = errorOf([&] { bank.fieldText(QStringLiteral("Q_COLOUR")); });
        QVERIFY2(message.contains(QStringLiteral("Q_COLOUR")) &&
                     message.contains(Schemas::BankFile),
                 qPrintable(message));
    }

    void bytesComeBackByteForByte()
    {
        QVector<FixtureItem> items = FixtureBank::generate(1);
        QByteArray bytes;
        for (int i = 0; i < 256; ++i)
            bytes.append(char(i));
        items[0].pict1 = bytes;
        FixtureBank::writeBank(path(Schemas::BankFile), items);
        Table bank(m_session, Schemas::bank());
        bank.open();
        QCOMPARE(bank.fieldBytes(Field::Pict1), bytes);
        QVERIFY(bank.fieldBytes(Field::Pict2).isEmpty());
    }

    void personalTableNumbersNewItemsAndNeverReusesANumber()
    {
        Table table(m_session, Schemas::personal());
        table.open(); // created empty
        QVERIFY(QFile::exists(path(Schemas::PersonalFile)));
        QCOMPARE(table.recordCount(), 0);
        QVERIFY(table.eof());

        QSignalSpy states(&table, &Table::stateChanged);
        table.append();
        QCOMPARE(table.state(), Table::State::Insert);
        table.setField(Field::QText, QStringLiteral("first"));
        table.post();
        QCOMPARE(table.state(), Table::State::Browse);
        QCOMPARE(states.count(), 2);
        const qint64 firstId = table.fieldInt(Field::QId);
        QVERIFY(firstId > 0);

        table.append();
        table.setField(Field::QText, QStringLiteral("second"));
        table.post();
        const qint64 secondId = table.fieldInt(Field::QId);
        QVERIFY(secondId > firstId);
        QCOMPARE(table.recNo(), 2);

        table.remove();
        QCOMPARE(table.recordCount(), 1);
        table.append();
        table.setField(Field::QText, QStringLiteral("third"));
        table.post();
        QVERIFY(table.fieldInt(Field::QId) > secondId);
    }

    void editCancelAndMovesKeepOrDropChanges()
    {
        FixtureBank::writePersonal(path(Schemas::PersonalFile), FixtureBank::generate(3),
                                   {4, 9, 12});
        Table table(m_session, Schemas::personal());
        DataSource source(&table);
        table.open();
        QCOMPARE(table.fieldInt(Field::QId), 4);

        // Typing into a bound editor starts an edit on its own.
        QVERIFY(source.startEdit());
        QCOMPARE(table.state(), Table::State::Edit);
        table.setField(Field::QText, QStringLiteral("changed"));
        table.cancel();
        QCOMPARE(table.fieldText(Field::QText), QStringLiteral("Question 1"));

        // Moving on stores an assigned field ...
        table.edit();
        table.setField(Field::QText, QStringLiteral("kept"));
        table.next();
        QCOMPARE(table.state(), Table::State::Browse);
        QCOMPARE(table.fieldInt(Field::QId), 9);
        // ... and drops an edit in which nothing was assigned.
        table.edit();
        table.prior();
        QCOMPARE(table.fieldText(Field::QText), QStringLiteral("kept"));
        QCOMPARE(FixtureBank::query(path(Schemas::PersonalFile),
                                    QStringLiteral("SELECT Q_TEXT FROM tsl4usr ORDER BY Q_ID")),
                 (QStringList{QStringLiteral("kept"), QStringLiteral("Question 2"),
                              QStringLiteral("Question 3")}));

        // Assigning while browsing is refused, not silently lost.
        QVERIFY(errorOf([&] {
                    table.setField(Field::QText, QStringLiteral("x"));
                }).contains(QStringLiteral("not being edited")));
    }

    void editingAnEmptyTableStartsANewRecord()
    {
        Table table(m_session, Schemas::personal());
        DataSource source(&table);
        table.open();
        QVERIFY(source.startEdit());
        QCOMPARE(table.state(), Table::State::Insert);
        table.cancel();
        QCOMPARE(table.recordCount(), 0);
    }

    void aRolledBackTransactionLeavesTheOldRows()
    {
        Table table(m_session, Schemas::currentExam());
        table.open();
        table.append();
        table.setField(Field::QText, QStringLiteral("old"));
        table.post();
        table.beginTransaction();
        table.emptyTable();
        table.append();
        table.setField(Field::QText, QStringLiteral("new"));
        table.post();
        table.rollback();
        QCOMPARE(table.recordCount(), 1);
        QCOMPARE(table.fieldText(Field::QText), QStringLiteral("old"));
    }

    void missingBankIsReportedAndNeverCreated()
    {
        Table bank(m_session, Schemas::bank());
        const QString message = errorOf([&] { bank.open(); });
        QVERIFY2(message.contains(Schemas::BankFile) &&
                     message.contains(QStringLiteral("not found")),
                 qPrintable(message));
        QVERIFY(!QFile::exists(path(Schemas::BankFile)));
        QVERIFY(!bank.isActive());
    }

    void damagedFilesAreReportedWithTheirName_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("expected");
        QTest::newRow("random bytes") << "random"
                                      << "not a database";
        QTest::newRow("truncated") << "truncated"
                                   << "malformed";
        QTest::newRow("empty file") << "empty"
                                    << "holds no table";
        QTest::newRow("missing column") << "column"
                                        << "lacks the field";
    }

    void damagedFilesAreReportedWithTheirName()
    {
        QFETCH(QString, damage);
        QFETCH(QString, expected);
        const QString bankPath = path(Schemas::BankFile);
        if (damage == QLatin1String("random")) {
            QFile file(bankPath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QByteArray noise;
            for (int i = 0; i < 8192; ++i)
                noise.append(char((i * 7919 + 13) % 251));
            file.write(noise);
        } else if (damage == QLatin1String("truncated")) {
            FixtureBank::writeBank(bankPath, FixtureBank::generate(400));
            QFile file(bankPath);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.resize(file.size() / 3));
        } else if (damage == QLatin1String("empty")) {
            QFile file(bankPath);
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else {
            FixtureBank::query(bankPath, QStringLiteral("CREATE TABLE tsl4 (Q_ID INTEGER PRIMARY "
                                                        "KEY, Q_TEXT TEXT)"));
        }
        const QByteArray before = [&] {
            QFile file(bankPath);
            file.open(QIODevice::ReadOnly);
            return file.readAll();
        }();

        Table bank(m_session, Schemas::bank());
        const QString message = errorOf([&] {
            bank.open();
            // A damaged page may only show when the rows are read.
            for (bank.first(); !bank.eof(); bank.next())
                bank.fieldText(Field::QText);
        });
        QVERIFY2(message.contains(expected, Qt::CaseInsensitive) &&
                     message.contains(Schemas::BankFile),
                 qPrintable(message));
        QFile file(bankPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before); // nothing written to a damaged file
    }

    void aFileWithoutItsTableIsCreatedAnew_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("left"); // what an interrupted creation left behind
        QTest::newRow("personal, empty file") << Schemas::PersonalFile << "empty";
        QTest::newRow("personal, no table") << Schemas::PersonalFile << "no table";
        QTest::newRow("working copy, no table") << Schemas::CurrentExamFile << "no table";
        QTest::newRow("personal, half-built copy beside it") << Schemas::PersonalFile << "beside";
    }

    void aFileWithoutItsTableIsCreatedAnew()
    {
        QFETCH(QString, file);
        QFETCH(QString, left);
        const QString target = path(file);
        if (left == QLatin1String("empty")) {
            QFile out(target);
            QVERIFY(out.open(QIODevice::WriteOnly));
        } else if (left == QLatin1String("no table")) {
            // A file whose table was never made: SQLite has written its header only.
            FixtureBank::query(target, QStringLiteral("PRAGMA user_version = 0"));
            FixtureBank::query(target, QStringLiteral("CREATE TABLE scratch (x)"));
            FixtureBank::query(target, QStringLiteral("DROP TABLE scratch"));
            QVERIFY(QFileInfo(target).size() > 0);
        } else {
            QFile out(target + QStringLiteral(".creating"));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write("half");
        }
        const TableSchema schema =
            file == Schemas::PersonalFile ? Schemas::personal() : Schemas::currentExam();
        Table table(m_session, schema);
        table.open();
        QVERIFY(table.isActive());
        QCOMPARE(table.recordCount(), 0);
        table.append();
        table.setField(Field::QText, QStringLiteral("kept"));
        table.post();
        table.close();
        QCOMPARE(FixtureBank::query(target,
                                    QStringLiteral("SELECT Q_TEXT FROM %1").arg(schema.sqlTable)),
                 QStringList{QStringLiteral("kept")});
        QVERIFY(!QFile::exists(target + QStringLiteral(".creating")));
    }

    void aBankWithoutItsTableIsReportedNotReplaced()
    {
        const QString bankPath = path(Schemas::BankFile);
        FixtureBank::query(bankPath, QStringLiteral("CREATE TABLE scratch (x)"));
        FixtureBank::query(bankPath, QStringLiteral("DROP TABLE scratch"));
        Table bank(m_session, Schemas::bank());
        const QString message = errorOf([&] { bank.open(); });
        QVERIFY2(message.contains(QStringLiteral("holds no table")), qPrintable(message));
        QVERIFY(FixtureBank::query(bankPath, QStringLiteral("SELECT name FROM sqlite_master"))
                    .isEmpty());
    }

    void aTableHeldExclusivelyIsReportedAsLockedAfterTheWait()
    {
        Table holder(m_session, Schemas::currentExam());
        holder.setExclusive(true);
        holder.open();

        Table other(m_session, Schemas::currentExam());
        QElapsedTimer clock;
        clock.start();
        const QString message = errorOf([&] { other.open(); });
        QVERIFY2(message.contains(QStringLiteral("locked")) &&
                     message.contains(Schemas::CurrentExamFile),
                 qPrintable(message));
        QVERIFY(clock.elapsed() >= Table::LockWaitMilliseconds - 200);
        QVERIFY(!other.isActive());

        // The holder keeps working.
        holder.append();
        holder.setField(Field::QText, QStringLiteral("still mine"));
        holder.post();
        QCOMPARE(holder.recordCount(), 1);
    }
};

TESSALY_TEST_MAIN(TestTable)
#include "tst_table.moc"
