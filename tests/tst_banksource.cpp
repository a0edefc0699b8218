#include "BankCompiler.h"
#include "FieldNames.h"
#include "Session.h"
#include "Table.h"
#include "TableSchema.h"
#include "TestMain.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

// The bank source format and the tool that compiles it.
class TestBankSource : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString write(const QString& name, const QByteArray& content)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write(content);
        return path;
    }

    BankCompiler::Options options(const QStringList& sources, bool bankRules = false)
    {
        BankCompiler::Options o;
        o.sources = sources;
        o.baseFolder = m_dir.path();
        o.output = m_dir.filePath(Schemas::BankFile);
        o.bankRules = bankRules;
        return o;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(m_dir.filePath(QStringLiteral("tiny.png"))));
        write(QStringLiteral("frame.svg"),
              "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"20\" height=\"10\">"
              "<rect width=\"20\" height=\"10\" fill=\"#123456\"/></svg>");
        write(QStringLiteral("fake.png"), "not an image at all");
    }

    void aValidSourceRoundTripsEveryField()
    {
        const QString first = write(QStringLiteral("first.gift"), R"(// Two items of exam C.
$EXAM: 3

$SECTION: 4
$EXHIBIT1: tiny.png
$EXHIBIT2: frame.svg
$SIM: simulation \{x\}
::C-01:: Refer to the exhibit. If a < b and b > c & <b>bold</b>,
   which line runs   awk '\{print $1\}'?
  second line {
~ first \= wrong
= second \~ right \# \: \\ done
~ third
#### The explanation flows
over two lines.

A second paragraph\nwith a forced break.
}

// a comment between items
$SECTION: 7
$TYPE: multiple
::C-02::
Pick two. {
  = a
  ~ b
  = c
  ~ d
  ~ e
  ~ f
####Short. }
)");
        const QString second = write(QStringLiteral("second.gift"), R"($EXAM: 0
$SECTION: 1
Plain question without a title {
~ x
= y
~ z
#### Because y.
}
)");
        const QVector<BankIssue> issues = BankCompiler::compile(options({first, second}));
        QVERIFY2(issues.isEmpty(), qPrintable(issues.value(0).toString()));

        Session session;
        session.setDataFolder(m_dir.path());
        Table bank(session, Schemas::bank());
        bank.open();
        QCOMPARE(bank.recordCount(), 3);

        QCOMPARE(bank.fieldInt(Field::QId), 1);
        QCOMPARE(bank.fieldInt(Field::QExamN), 3);
        QCOMPARE(bank.fieldInt(Field::QSect), 4);
        QVERIFY(!bank.fieldBool(Field::QType));
        QCOMPARE(bank.fieldText(Field::QText),
                 QStringLiteral("Refer to the exhibit. If a < b and b > c & <b>bold</b>,\n"
                                "   which line runs   awk '{print $1}'?\n  second line"));
        QCOMPARE(bank.fieldText(Field::choice(1)), QStringLiteral("first = wrong"));
        QCOMPARE(bank.fieldText(Field::choice(2)), QStringLiteral("second ~ right # : \\ done"));
        QCOMPARE(bank.fieldText(Field::choice(3)), QStringLiteral("third"));
        QCOMPARE(bank.fieldText(Field::choice(4)), QString());
        QCOMPARE(QVector<bool>({bank.fieldBool(Field::key(1)), bank.fieldBool(Field::key(2)),
                                bank.fieldBool(Field::key(3)), bank.fieldBool(Field::key(4))}),
                 QVector<bool>({false, true, false, false}));
        QCOMPARE(bank.fieldText(Field::QExpl),
                 QStringLiteral("The explanation flows over two lines.\nA second paragraph\n"
                                "with a forced break."));
        QCOMPARE(bank.fieldText(Field::QSim), QStringLiteral("simulation {x}"));
        QFile png(m_dir.filePath(QStringLiteral("tiny.png")));
        QVERIFY(png.open(QIODevice::ReadOnly));
        QCOMPARE(bank.fieldBytes(Field::Pict1), png.readAll());
        QVERIFY(bank.fieldBytes(Field::Pict2).startsWith("<svg"));
        QCOMPARE(bank.fieldText(Field::UMemo), QString());

        bank.next();
        QCOMPARE(bank.fieldInt(Field::QId), 2);
        QVERIFY(bank.fieldBool(Field::QType));
        QCOMPARE(bank.fieldInt(Field::QSect), 7);
        QCOMPARE(bank.fieldText(Field::QText), QStringLiteral("Pick two."));
        QCOMPARE(bank.fieldText(Field::choice(6)), QStringLiteral("f"));
        QVERIFY(bank.fieldBool(Field::key(1)) && bank.fieldBool(Field::key(3)));
        QCOMPARE(bank.fieldText(Field::QExpl), QStringLiteral("Short."));
        QVERIFY(bank.fieldBytes(Field::Pict1).isEmpty());

        bank.next();
        QCOMPARE(bank.fieldInt(Field::QId), 3);
        QCOMPARE(bank.fieldInt(Field::QExamN), 0);
        QCOMPARE(bank.fieldText(Field::QText), QStringLiteral("Plain question without a title"));
    }

    void everyBrokenRuleIsReportedWithItsLine_data()
    {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("message");
        const QByteArray good = "~ a\n= b\n~ c\n#### why\n}\n";
        QTest::newRow("no section")
            << QByteArray("$EXAM: 1\n\nQ? {\n" + good) << 3 << "$SECTION is not given";
        QTest::newRow("section 9")
            << QByteArray("$EXAM: 1\n$SECTION: 9\nQ? {\n" + good) << 2 << "$SECTION must be 1 to 7";
        QTest::newRow("bad type") << QByteArray("$EXAM: 1\n$SECTION: 1\n$TYPE: both\nQ? {\n" + good)
                                  << 3 << "$TYPE must be single or multiple";
        QTest::newRow("two choices")
            << QByteArray("$EXAM: 1\n$SECTION: 1\nQ? {\n= a\n~ b\n#### w\n}\n") << 3
            << "3 to 6 choices";
        QTest::newRow("seven choices")
            << QByteArray(
                   "$EXAM: 1\n$SECTION: 1\nQ? {\n= a\n~ b\n~ c\n~ d\n~ e\n~ f\n~ g\n#### w\n}\n")
            << 3 << "3 to 6 choices";
        QTest::newRow("single, two keys")
            << QByteArray("$EXAM: 1\n$SECTION: 1\nQ? {\n= a\n= b\n~ c\n#### w\n}\n") << 3
            << "exactly one correct choice";
        QTest::newRow("multiple, one key")
            << QByteArray(
                   "$EXAM: 1\n$SECTION: 1\n$TYPE: multiple\nQ? {\n= a\n~ b\n~ c\n#### w\n}\n")
            << 4 << "at least two correct choices";
        QTest::newRow("no explanation")
            << QByteArray("$EXAM: 1\n$SECTION: 1\nQ? {\n= a\n~ b\n~ c\n}\n") << 3
            << "explanation is missing";
        QTest::newRow("empty choice")
            << QByteArray("$EXAM: 1\n$SECTION: 1\nQ? {\n= a\n~\n~ c\n#### w\n}\n") << 3
            << "choice b. is empty";
        QTest::newRow("stray brace")
            << QByteArray("$EXAM: 1\n$SECTION: 1\nQ } ? {\n" + good) << 3 << "unescaped }";
        QTest::newRow("not closed")
            << QByteArray("$EXAM: 1\n$SECTION: 1\nQ? {\n= a\n~ b\n~ c\n") << 3 << "not closed";
        QTest::newRow("odd line") << QByteArray(
                                         "$EXAM: 1\n$SECTION: 1\nQ? {\n= a\n~ b\nc\n#### w\n}\n")
                                  << 6 << "expected a choice";
        QTest::newRow("unknown directive") << QByteArray("$EXAM: 1\n$SECTON: 1\nQ? {\n" + good) << 2
                                           << "unknown directive $SECTON";
        QTest::newRow("no exam") << QByteArray("$SECTION: 1\nQ? {\n" + good) << 0
                                 << "$EXAM is not given";
        QTest::newRow("exam twice") << QByteArray("$EXAM: 1\n$EXAM: 2\n") << 2 << "given twice";
        QTest::newRow("missing exhibit")
            << QByteArray("$EXAM: 1\n$SECTION: 1\n$EXHIBIT1: nowhere.png\nQ? {\n" + good) << 3
            << "nowhere.png cannot be read";
        QTest::newRow("exhibit not an image")
            << QByteArray("$EXAM: 1\n$SECTION: 1\n$EXHIBIT2: fake.png\nQ? {\n" + good) << 3
            << "fake.png is not a readable image";
    }

    void everyBrokenRuleIsReportedWithItsLine()
    {
        QFETCH(QByteArray, source);
        QFETCH(int, line);
        QFETCH(QString, message);
        const QString output = m_dir.filePath(Schemas::BankFile);
        write(Schemas::BankFile, "previous bank");
        const QString path = write(QStringLiteral("broken.gift"), source);
        const QVector<BankIssue> issues = BankCompiler::compile(options({path}));
        bool found = false;
        for (const BankIssue& issue : issues) {
            if (issue.line == line && issue.message.contains(message) && issue.file == path)
                found = true;
        }
        QString all;
        for (const BankIssue& issue : issues)
            all += issue.toString() + QLatin1Char('\n');
        QVERIFY2(found, qPrintable(all));
        QVERIFY(all.contains(QStringLiteral("broken.gift:%1: ").arg(line)) || line == 0);

        QFile file(output);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("previous bank")); // nothing written
    }

    void theShippedBankRulesCountExamsSectionsTypesAndExhibits()
    {
        QByteArray source = "$EXAM: 2\n";
        for (int i = 0; i < 3; ++i)
            source += "$SECTION: 1\nQ? {\n= a\n~ b\n~ c\n#### w\n}\n";
        const QString path = write(QStringLiteral("small.gift"), source);
        const QVector<BankIssue> issues = BankCompiler::compile(options({path}, true));
        QStringList messages;
        for (const BankIssue& issue : issues)
            messages.append(issue.message);
        const QString all = messages.join(QLatin1Char('\n'));
        QVERIFY2(all.contains(QStringLiteral("Practice Exam A has 0 items, fewer than 30")),
                 qPrintable(all));
        QVERIFY(all.contains(QStringLiteral("Practice Exam B has 3 items")));
        QVERIFY(all.contains(QStringLiteral("Practice Exam B has no item of section 7")));
        QVERIFY(all.contains(QStringLiteral("0 of 3 items are multiple response")));
        QVERIFY(all.contains(QStringLiteral("0 items carry an exhibit, fewer than 8")));
    }
};

TESSALY_TEST_MAIN(TestBankSource)
#include "tst_banksource.moc"
