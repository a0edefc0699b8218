#include "Session.h"
#include "SettingsStore.h"
#include "TTestForm.h"
#include "TestMain.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QTemporaryDir>

// The stored preferences: how every stored text reads, and what the test window makes of them.
class TestSettings : public QObject {
    Q_OBJECT

private:
    static void clearStore()
    {
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tessaly 4"));
        raw.clear();
        raw.sync();
    }

    static void store(const QString& key, const QVariant& value)
    {
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tessaly 4"));
        raw.setValue(QStringLiteral("Options/") + key, value);
        raw.sync();
    }

private slots:
    void init() { clearStore(); }

    void theStoreLivesInTheUsersConfigurationFolder()
    {
        const SettingsStore settings;
        QVERIFY2(settings.fileName().startsWith(testSettingsFolder()),
                 qPrintable(settings.fileName()));
        QVERIFY(settings.fileName().endsWith(QStringLiteral("Tessaly 4.conf")));
    }

    void storedTextsReadAsTheirKind_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored"); // invalid: absent
        QTest::addColumn<QString>("expected");
        QTest::newRow("time absent") << "DefaultTime" << QVariant() << "90";
        QTest::newRow("time 45") << "DefaultTime" << QVariant("45") << "45";
        QTest::newRow("time abc") << "DefaultTime" << QVariant("abc") << "90";
        QTest::newRow("time 12abc") << "DefaultTime" << QVariant("12abc") << "90";
        QTest::newRow("time empty") << "DefaultTime" << QVariant("") << "90";
        QTest::newRow("time negative") << "DefaultTime" << QVariant("-5") << "-5";
        QTest::newRow("time too big") << "DefaultTime" << QVariant("99999999999") << "90";
        QTest::newRow("timer 0") << "TimerOn" << QVariant("0") << "false";
        QTest::newRow("timer 1") << "TimerOn" << QVariant("1") << "true";
        QTest::newRow("timer 7") << "TimerOn" << QVariant("7") << "true";
        QTest::newRow("timer yes") << "TimerOn" << QVariant("yes") << "true";
        QTest::newRow("timer absent") << "TimerOn" << QVariant() << "true";
        QTest::newRow("learn absent") << "ShowLearnBtn" << QVariant() << "false";
        QTest::newRow("learn 1") << "ShowLearnBtn" << QVariant("1") << "true";
        QTest::newRow("learn abc") << "ShowLearnBtn" << QVariant("abc") << "false";
        QTest::newRow("calc absent") << "ShowCalcBtn" << QVariant() << "true";
        QTest::newRow("calc 0") << "ShowCalcBtn" << QVariant("0") << "false";
        QTest::newRow("path absent") << "CalcPath" << QVariant() << "/default/calc";
        QTest::newRow("path empty") << "CalcPath" << QVariant("") << "";
        QTest::newRow("path with comma")
            << "CalcPath" << QVariant("/opt/a,b/calc") << "/opt/a,b/calc";
        QTest::newRow("colour") << "EXPFontColor" << QVariant("255") << "255";
        QTest::newRow("colour absent") << "EXPFontColor" << QVariant() << "8388608";
        QTest::newRow("size abc") << "QFontSize" << QVariant("abc") << "10";
        QTest::newRow("name") << "AFontName" << QVariant("Liberation Serif") << "Liberation Serif";
        QTest::newRow("bold 1") << "QFontBold" << QVariant("1") << "true";
        QTest::newRow("italic 0") << "EXPFontItalic" << QVariant("0") << "false";
    }

    void storedTextsReadAsTheirKind()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(QString, expected);
        if (stored.isValid())
            store(key, stored);
        const Settings s = SettingsStore().load(QStringLiteral("/default/calc"));
        const QMap<QString, QString> read = {
            {QStringLiteral("DefaultTime"), QString::number(s.DefaultTime)},
            {QStringLiteral("TimerOn"), s.TimerOn ? "true" : "false"},
            {QStringLiteral("ShowLearnBtn"), s.ShowLearnBtn ? "true" : "false"},
            {QStringLiteral("ShowCalcBtn"), s.ShowCalcBtn ? "true" : "false"},
            {QStringLiteral("CalcPath"), s.CalcPath},
            {QStringLiteral("EXPFontColor"), QString::number(s.explanation.color)},
            {QStringLiteral("QFontSize"), QString::number(s.question.size)},
            {QStringLiteral("AFontName"), s.answer.name},
            {QStringLiteral("QFontBold"), s.question.bold ? "true" : "false"},
            {QStringLiteral("EXPFontItalic"), s.explanation.italic ? "true" : "false"},
        };
        QCOMPARE(read.value(key), expected);
    }

    void aValueInAnotherGroupIsNotRead()
    {
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tessaly 4"));
        raw.setValue(QStringLiteral("DefaultTime"), QStringLiteral("15"));
        raw.setValue(QStringLiteral("Other/DefaultTime"), QStringLiteral("15"));
        raw.sync();
        QCOMPARE(SettingsStore().load(QString()).DefaultTime, 90);
    }

    void savingWritesAllTwentyValuesThatReadBack()
    {
        Settings s;
        s.question = {QStringLiteral("Liberation Serif"), 255, 14, true, false};
        s.answer = {QStringLiteral("DejaVu Sans Mono"), 0x008000, 9, false, true};
        s.explanation = {QString(), 8388608, 11, true, true};
        s.ShowLearnBtn = true;
        s.ShowCalcBtn = false;
        s.TimerOn = false;
        s.DefaultTime = 120;
        s.CalcPath = QStringLiteral("/usr/bin/some calc");
        SettingsStore store;
        store.save(s);

        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tessaly 4"));
        raw.beginGroup(QStringLiteral("Options"));
        QCOMPARE(raw.childKeys().size(), 20);
        QCOMPARE(raw.value(QStringLiteral("QFontBold")).toString(), QStringLiteral("1"));
        QCOMPARE(raw.value(QStringLiteral("TimerOn")).toString(), QStringLiteral("0"));
        QCOMPARE(raw.value(QStringLiteral("AFontColor")).toString(), QStringLiteral("32768"));

        const Settings back = SettingsStore().load(QString());
        QCOMPARE(back.question.name, s.question.name);
        QCOMPARE(back.question.color, 255);
        QCOMPARE(back.question.size, 14);
        QVERIFY(back.question.bold && !back.question.italic);
        QCOMPARE(back.answer.color, 0x008000);
        QVERIFY(back.explanation.italic);
        QVERIFY(back.ShowLearnBtn && !back.ShowCalcBtn && !back.TimerOn);
        QCOMPARE(back.DefaultTime, 120);
        QCOMPARE(back.CalcPath, s.CalcPath);
    }

    void storedColoursHaveRedInTheLowByte()
    {
        QCOMPARE(colorFromStored(8388608), QColor(0, 0, 128));
        QCOMPARE(colorFromStored(255), QColor(255, 0, 0));
        QCOMPARE(storedFromColor(QColor(0, 128, 0)), 32768);
    }

    void theTestWindowStartsFromTheDesignFontsEachRun()
    {
        Session session;
        ItemStates states;
        SettingsStore store;
        {
            // First run, nothing stored.
            TTestForm form(session, states, store);
            auto* question = form.findChild<QLabel*>(QStringLiteral("QText"));
            auto* explanation = form.findChild<QLabel*>(QStringLiteral("ExpText"));
            QVERIFY(question && explanation);
            QCOMPARE(question->font().pointSize(), 10);
            QVERIFY(!question->font().bold());
            QCOMPARE(QFontInfo(question->font()).family(), QStringLiteral("DejaVu Sans"));
            QCOMPARE(explanation->palette().color(QPalette::WindowText), QColor(0, 0, 128));
            QVERIFY(form.findChild<QPushButton*>(QStringLiteral("LearnButton"))->isHidden());
            QVERIFY(form.settings().TimerOn);
            QCOMPARE(form.settings().DefaultTime, 90);
        }
        store.save([] {
            Settings s;
            s.question.bold = true;
            s.question.size = 16;
            s.answer.name = QStringLiteral("Liberation Serif");
            s.ShowLearnBtn = true;
            return s;
        }());
        {
            TTestForm form(session, states, store);
            auto* question = form.findChild<QLabel*>(QStringLiteral("QText"));
            QVERIFY(question->font().bold());
            QCOMPARE(question->font().pointSize(), 16);
            QCOMPARE(form.findChild<QScrollArea*>(QStringLiteral("ScrollBox1"))->font().family(),
                     QStringLiteral("Liberation Serif"));
            QVERIFY(!form.findChild<QPushButton*>(QStringLiteral("LearnButton"))->isHidden());
        }
        store.save(Settings());
        {
            TTestForm form(session, states, store);
            QVERIFY(!form.findChild<QLabel*>(QStringLiteral("QText"))->font().bold());
        }
    }

    void aCalculatorThatDoesNotExistHidesItsButton()
    {
        QTemporaryDir dir;
        Session session;
        ItemStates states;
        SettingsStore store;
        store.save([&] {
            Settings s;
            s.ShowCalcBtn = true;
            s.CalcPath = dir.filePath(QStringLiteral("no-such-calculator"));
            return s;
        }());
        TTestForm form(session, states, store);
        QVERIFY(!form.settings().ShowCalcBtn);
        QVERIFY(form.findChild<QWidget*>(QStringLiteral("CalcButton"))->isHidden());
        // Memory only: the stored value stays until the options are next confirmed.
        QVERIFY(SettingsStore().load(QString()).ShowCalcBtn);
    }

    void theSessionGetsItsPasswordWhenTheTestWindowIsCreated()
    {
        Session session;
        ItemStates states;
        SettingsStore store;
        QVERIFY(session.passwords().isEmpty());
        TTestForm form(session, states, store);
        QCOMPARE(session.passwords(), QStringList{QStringLiteral("Kovalpt8261")});
        QCOMPARE(session.name(), QStringLiteral("Examora"));
    }
};

TESSALY_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
