#include "ExamSetBuilder.h"
#include "FieldNames.h"
#include "FixtureBank.h"
#include "Session.h"
#include "Table.h"
#include "TableSchema.h"
#include "TestMain.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <random>

// Building the working copy of an exam from the bank or the personal table.
class TestExamSet : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    Session m_session;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // The Q_OR_NUMBER of every item of the current exam, in exam order.
    QVector<qint64> examOrder(Table& currentSet)
    {
        QVector<qint64> order;
        for (currentSet.first(); !currentSet.eof(); currentSet.next())
            order.append(currentSet.fieldInt(Field::QOrNumber));
        return order;
    }

    // The draw as first written: every candidate compared with all result entries.
    static QVector<qint64> fullScanDraw(const QVector<qint64>& candidates, int count,
                                        std::uint32_t seed)
    {
        std::mt19937 engine(seed);
        std::uniform_int_distribution<int> pick(0, candidates.size() - 1);
        QVector<qint64> result(count, 0);
        for (int i = 0; i < count; ++i) {
            for (;;) {
                const qint64 c = candidates[pick(engine)];
                if (!result.contains(c)) {
                    result[i] = c;
                    break;
                }
            }
        }
        return result;
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

    void aPracticeExamTakesEachOfItsItemsOnceWithEveryField()
    {
        QVector<FixtureItem> items = FixtureBank::generate(42);
        items[0].pict1 = QByteArray("\x89PNG\r\n\x1a\n\0\x01", 10);
        items[6].pict2 = QByteArray("<svg/>");
        items[12].text = QStringLiteral("a < b and b > c & <b>bold</b>\nsecond line");
        FixtureBank::writeBank(path(Schemas::BankFile), items);

        Table bank(m_session, Schemas::bank());
        Table currentSet(m_session, Schemas::currentExam());
        bank.setFilter(QStringLiteral("Q_EXAM_N=1"));
        bank.setFiltered(true);
        bank.open();
        ExamSetBuilder builder(currentSet);
        const ExamSetBuild build = builder.BuildExamSet(bank);

        QCOMPARE(build.ItemCount, 7);
        QCOMPARE(build.FirstItemNo, 1);
        QVERIFY(currentSet.exclusive());
        QCOMPARE(currentSet.recNo(), 1);
        const QVector<qint64> order = examOrder(currentSet);
        QCOMPARE(QSet<qint64>(order.cbegin(), order.cend()),
                 (QSet<qint64>{1, 7, 13, 19, 25, 31, 37}));

        for (currentSet.first(); !currentSet.eof(); currentSet.next()) {
            const FixtureItem& source = items[currentSet.fieldInt(Field::QOrNumber) - 1];
            QCOMPARE(currentSet.fieldInt(Field::QExamN), qint64(source.examNumber));
            QCOMPARE(currentSet.fieldInt(Field::QSect), qint64(source.section));
            QCOMPARE(currentSet.fieldText(Field::QText), source.text);
            QCOMPARE(currentSet.fieldText(Field::QExpl), source.explanation);
            QCOMPARE(currentSet.fieldBool(Field::QType), source.multiple);
            for (int i = 1; i <= 6; ++i) {
                QCOMPARE(currentSet.fieldText(Field::choice(i)), source.choices.value(i - 1));
                QCOMPARE(currentSet.fieldBool(Field::key(i)), source.keys.value(i - 1, false));
            }
            QCOMPARE(currentSet.fieldText(Field::QSim), source.sim);
            QCOMPARE(currentSet.fieldBytes(Field::Pict1), source.pict1);
            QCOMPARE(currentSet.fieldBytes(Field::Pict2), source.pict2);
            QCOMPARE(currentSet.fieldText(Field::UMemo), source.memo);
        }
    }

    void everyFieldIsCopiedWithItsTypeAndBytes()
    {
        QVector<FixtureItem> items = FixtureBank::generate(24);
        items[0].pict1 = QByteArray("\x00\xff\x00 binary \x01", 12);
        items[6].text =
            QString::fromUtf8("Umlaute \xc3\xa4\xc3\xb6, a tab\there, \xf0\x9f\x99\x82");
        items[12].explanation = QString(); // stored as NULL
        FixtureBank::writeBank(path(Schemas::BankFile), items);
        Table bank(m_session, Schemas::bank());
        bank.setFilter(QStringLiteral("Q_EXAM_N<>0"));
        bank.setFiltered(true);
        bank.open();
        Table currentSet(m_session, Schemas::currentExam());
        ExamSetBuilder(currentSet).BuildExamSet(bank);
        currentSet.close();
        bank.close();

        // Each column as SQLite holds it: its storage class and an exact literal of its bytes.
        const QStringList columns = {"Q_EXAM_N", "Q_SECT", "Q_TEXT", "Q_EXPL", "Q_TYPE", "Q1",
                                     "Q2",       "Q3",     "Q4",     "Q5",     "Q6",     "Q_SIM",
                                     "A1",       "A2",     "A3",     "A4",     "A5",     "A6",
                                     "PICT1",    "PICT2",  "U_MEMO"};
        auto stored = [&](const QString& file, const QString& table, const QString& key) {
            QStringList parts;
            for (const QString& column : columns)
                parts.append(QStringLiteral("typeof(%1)||':'||quote(%1)").arg(column));
            return FixtureBank::query(path(file), QStringLiteral("SELECT %1||'|'||%2 FROM %3 "
                                                                 "ORDER BY %1")
                                                      .arg(key, parts.join("||'|'||"), table));
        };
        const QStringList fromBank =
            stored(Schemas::BankFile, QStringLiteral("tsl4"), QStringLiteral("Q_ID"));
        const QStringList inExam =
            stored(Schemas::CurrentExamFile, QStringLiteral("ces"), QStringLiteral("Q_OR_NUMBER"));
        QCOMPARE(inExam.size(), 24);
        QCOMPARE(inExam, fromBank);
    }

    void ordersDifferFromBuildToBuild()
    {
        FixtureBank::writeBank(path(Schemas::BankFile), FixtureBank::generate(30));
        Table bank(m_session, Schemas::bank());
        Table currentSet(m_session, Schemas::currentExam());
        bank.open();
        ExamSetBuilder builder(currentSet);
        QSet<QVector<qint64>> orders;
        for (int run = 0; run < 4; ++run) {
            builder.BuildExamSet(bank);
            const QVector<qint64> order = examOrder(currentSet);
            QCOMPARE(order.size(), 30);
            QCOMPARE(QSet<qint64>(order.cbegin(), order.cend()).size(), 30);
            orders.insert(order);
        }
        QVERIFY(orders.size() > 1);
    }

    void theDrawGivesTheSequenceOfTheFullScan()
    {
        QVector<qint64> candidates;
        for (qint64 value = 3; value <= 300; value += 3)
            candidates.append(value);
        for (int count : {1, 37, int(candidates.size())}) {
            RandomDraw draw;
            draw.setFixedSeed(1234u + count);
            QCOMPARE(draw.draw(candidates, count), fullScanDraw(candidates, count, 1234u + count));
        }
    }

    void aRandomExamTakesDistinctItemsThatBelongToAnExam()
    {
        // Every fifth item belongs to no exam.
        FixtureBank::writeBank(path(Schemas::BankFile), FixtureBank::generate(50, 5));
        Table bank(m_session, Schemas::bank());
        Table currentSet(m_session, Schemas::currentExam());
        bank.setFilter(QStringLiteral("Q_EXAM_N<>0"));
        bank.setFiltered(true);
        bank.open();
        QCOMPARE(bank.recordCount(), 40);
        ExamSetBuilder builder(currentSet);

        const ExamSetBuild build = builder.BuildRandomExamSet(bank, 12);
        QCOMPARE(build.ItemCount, 12);
        QVector<qint64> order = examOrder(currentSet);
        QCOMPARE(QSet<qint64>(order.cbegin(), order.cend()).size(), 12);
        for (qint64 id : order)
            QVERIFY2(id % 5 != 0, "an item of no exam was drawn");

        builder.BuildRandomExamSet(bank, 40);
        order = examOrder(currentSet);
        QSet<qint64> expected;
        for (qint64 id = 1; id <= 50; ++id) {
            if (id % 5 != 0)
                expected.insert(id);
        }
        QCOMPARE(QSet<qint64>(order.cbegin(), order.cend()), expected);
    }

    void aUserExamCarriesThePersonalNumbersAndNoExhibits()
    {
        QVector<FixtureItem> items = FixtureBank::generate(3);
        items[1].memo = QStringLiteral("own note");
        FixtureBank::writePersonal(path(Schemas::PersonalFile), items, {3, 8, 15});
        Table userSet(m_session, Schemas::personal());
        Table currentSet(m_session, Schemas::currentExam());
        userSet.open();
        ExamSetBuilder builder(currentSet);
        const ExamSetBuild build = builder.BuildUserExamSet(userSet);
        QCOMPARE(build.ItemCount, 3);
        const QVector<qint64> order = examOrder(currentSet);
        QCOMPARE(QSet<qint64>(order.cbegin(), order.cend()), (QSet<qint64>{3, 8, 15}));
        for (currentSet.first(); !currentSet.eof(); currentSet.next()) {
            QVERIFY(currentSet.fieldValue(Field::QExamN).isNull());
            QVERIFY(currentSet.fieldBytes(Field::Pict1).isEmpty());
            QVERIFY(currentSet.fieldBytes(Field::Pict2).isEmpty());
            QVERIFY(currentSet.fieldText(Field::QSim).isEmpty());
            if (currentSet.fieldInt(Field::QOrNumber) == 8)
                QCOMPARE(currentSet.fieldText(Field::UMemo), QStringLiteral("own note"));
        }
    }

    void aSecondBuildReplacesEveryEarlierItem()
    {
        FixtureBank::writeBank(path(Schemas::BankFile), FixtureBank::generate(42));
        Table bank(m_session, Schemas::bank());
        Table currentSet(m_session, Schemas::currentExam());
        bank.setFilter(QStringLiteral("Q_EXAM_N=1"));
        bank.setFiltered(true);
        bank.open();
        ExamSetBuilder builder(currentSet);
        builder.BuildExamSet(bank);
        currentSet.close(); // as the end of an exam does

        bank.setFilter(QStringLiteral("Q_EXAM_N=2"));
        builder.BuildExamSet(bank);
        const QVector<qint64> order = examOrder(currentSet);
        QCOMPARE(order.size(), 7);
        for (qint64 id : order)
            QCOMPARE((id - 1) % 6 + 1, 2);
        currentSet.close(); // it is held exclusively while open
        QCOMPARE(FixtureBank::query(path(Schemas::CurrentExamFile),
                                    QStringLiteral("SELECT COUNT(*) FROM ces")),
                 QStringList{QStringLiteral("7")});
    }

    void itemStatesAreSizedAndResetWithTheSections()
    {
        FixtureBank::writeBank(path(Schemas::BankFile), FixtureBank::generate(20));
        Table bank(m_session, Schemas::bank());
        Table currentSet(m_session, Schemas::currentExam());
        bank.open();
        ExamSetBuilder builder(currentSet);
        builder.BuildExamSet(bank);

        ItemStates states(3);
        states[0].Selected[2] = 1;
        states[1].Marked = 1;
        states[2].Correct = 1;
        ExamSetBuilder::InitItemStates(currentSet, states);
        QCOMPARE(int(states.size()), 20);
        QVERIFY(currentSet.eof());
        int k = 0;
        for (currentSet.first(); !currentSet.eof(); currentSet.next(), ++k) {
            const ItemState& state = states[std::size_t(currentSet.recNo() - 1)];
            QVERIFY(!state.anySelected());
            QCOMPARE(state.Marked, 0);
            QCOMPARE(state.Correct, 0);
            QCOMPARE(qint64(state.Section), currentSet.fieldInt(Field::QSect));
        }
        QCOMPARE(k, 20);
    }

    void anEmptySourceGivesAnEmptyExam()
    {
        FixtureBank::writeBank(path(Schemas::BankFile), FixtureBank::generate(12));
        Table bank(m_session, Schemas::bank());
        Table currentSet(m_session, Schemas::currentExam());
        bank.setFilter(QStringLiteral("Q_EXAM_N=5"));
        bank.setFiltered(true);
        bank.open();
        bank.setFilter(QStringLiteral("Q_SECT=9"));
        QCOMPARE(bank.recordCount(), 0);
        ExamSetBuilder builder(currentSet);
        const ExamSetBuild build = builder.BuildExamSet(bank);
        QCOMPARE(build.ItemCount, 0);
        QCOMPARE(build.FirstItemNo, 0);
        ItemStates states(5);
        ExamSetBuilder::InitItemStates(currentSet, states);
        QVERIFY(states.empty());

        Table userSet(m_session, Schemas::personal());
        userSet.open();
        QCOMPARE(builder.BuildUserExamSet(userSet).ItemCount, 0);
    }
};

TESSALY_TEST_MAIN(TestExamSet)
#include "tst_examset.moc"
