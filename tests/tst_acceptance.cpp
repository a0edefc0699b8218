#include "ChooserDialogs.h"
#include "DataAwareEditors.h"
#include "FieldNames.h"
#include "FixtureBank.h"
#include "GuiTest.h"
#include "Program.h"
#include "Prompt.h"
#include "SettingsStore.h"
#include "ShapedButton.h"
#include "TMainForm.h"
#include "TNameForm.h"
#include "TOptionsForm.h"
#include "TReviewForm.h"
#include "TSamplerForm.h"
#include "TScoreForm.h"
#include "TTestForm.h"
#include "Table.h"
#include "TableSchema.h"
#include "TestMain.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

// The roads of the program, end to end on the real windows and the shipped question bank.
class TestAcceptance : public GuiTest {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString& file) const { return m_dir.filePath(file); }

    static void click(QWidget* widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, 4));
    }

    static QString text(QWidget* widget) { return widget->property("text").toString(); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QFile::copy(QStringLiteral(TESSALY_SHIPPED_BANK), path(Schemas::BankFile)));
        QFile::setPermissions(path(Schemas::BankFile), QFile::ReadOwner | QFile::WriteOwner);
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tessaly 4"))
            .clear();
    }

    void oneExamFromStartToEnd()
    {
        Program program(m_dir.path());
        TMainForm* start = program.MainForm;
        TTestForm* test = program.TestForm;
        start->show();
        QVERIFY(QTest::qWaitForWindowExposed(start));

        click(start->findChild<ShapedButton*>(QStringLiteral("StartTestBtn")));
        QVERIFY(test->isVisible() && !start->isVisible());
        QVERIFY(test->findChild<QWidget*>(QStringLiteral("Panel4"))->isVisible());

        withModal<TNameForm>(
            [&] { click(test->findChild<ShapedButton*>(QStringLiteral("fcShapeBtn1"))); },
            [](TNameForm* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Begin Practice Exam A"));
                dialog->findChild<QLineEdit*>(QStringLiteral("NameEdit"))
                    ->setText(QStringLiteral("Alex Morgan"));
                dialog->setMinutes(60);
                click(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1")));
            });
        QCOMPARE(text(test->findChild<QWidget*>(QStringLiteral("Label1"))),
                 QStringLiteral("Item 1 of 32"));
        QCOMPARE(text(test->findChild<QWidget*>(QStringLiteral("Label3"))),
                 QStringLiteral("Practice Exam A"));
        QCOMPARE(text(test->findChild<QWidget*>(QStringLiteral("TimeLabel"))),
                 QStringLiteral("1:00:00"));

        // Answer 28 items correctly by their texts, the rest wrongly, and mark item 5.
        Table* exam = test->dtCurrentSet;
        auto* next = test->findChild<QPushButton*>(QStringLiteral("NextButton"));
        for (int item = 1; item <= 32; ++item) {
            QCOMPARE(exam->recNo(), item);
            const bool multiple = exam->fieldBool(Field::QType);
            const bool answerRight = item <= 28;
            int filled = 0;
            for (int i = 1; i <= 6; ++i)
                filled += exam->fieldText(Field::choice(i)).isEmpty() ? 0 : 1;
            for (int i = 1; i <= filled; ++i) {
                const bool key = exam->fieldBool(Field::key(i));
                // Wrong answers: pick the first choice that is not in the key.
                const bool pick = answerRight ? key : !key;
                if (pick)
                    click(test->findChild<QWidget*>(QStringLiteral("ALabel%1").arg(i)));
                if (pick && !answerRight && !multiple)
                    break;
            }
            if (item == 5)
                click(test->findChild<QWidget*>(QStringLiteral("MarkBox")));
            QCOMPARE(test->currentItemState().Correct, answerRight ? 1 : 0);
            if (item < 32)
                click(next);
        }
        QVERIFY(!next->isEnabled());

        // The items review during the exam: everything answered, item 5 marked; go to item 30.
        withModal<TReviewForm>(
            [&] { click(test->findChild<QPushButton*>(QStringLiteral("Button1"))); },
            [](TReviewForm* review) {
                auto* list = review->findChild<QListWidget*>(QStringLiteral("ListView1"));
                QCOMPARE(list->count(), 32);
                QVERIFY(review->findChild<QWidget*>(QStringLiteral("ExamLegend"))->isVisible());
                list->setCurrentRow(29);
                click(review->findChild<QPushButton*>(QStringLiteral("BitBtn2")));
            });
        QCOMPARE(exam->recNo(), 30);
        QCOMPARE(program.itemStates()[4].Marked, 1);

        // Grade: 28 of 32 is 875, a pass.
        Prompt::setNextAnswers({QMessageBox::Ok});
        withModal<TScoreForm>(
            [&] { click(test->findChild<QPushButton*>(QStringLiteral("GradeButton"))); },
            [](TScoreForm* score) {
                QCOMPARE(score->findChild<QLabel*>(QStringLiteral("TotalLabel"))->text(),
                         QStringLiteral("Passing Score: 850   Your Score: 875   Grade: Pass"));
                int items = 0;
                for (const auto& point : score->results().sections.points) {
                    const QString counts = point.label.section(QLatin1Char('('), 1);
                    items +=
                        counts.section(QLatin1Char('/'), 1).section(QLatin1Char(')'), 0, 0).toInt();
                }
                QCOMPARE(items, 32);
                click(score->findChild<QPushButton*>(QStringLiteral("BitBtn1")));
            });

        // Review: item 1, its key and explanation, "Correct".
        QCOMPARE(test->ExamMode(), int(TTestForm::ReviewMode));
        QCOMPARE(exam->recNo(), 1);
        QVERIFY(test->findChild<QLabel*>(QStringLiteral("ExpText"))->isVisible());
        QCOMPARE(test->findChild<QLabel*>(QStringLiteral("CorrectLabel"))->text(),
                 QStringLiteral("Correct"));
        withModal<TReviewForm>(
            [&] { click(test->findChild<QPushButton*>(QStringLiteral("Button1"))); },
            [](TReviewForm* review) {
                QVERIFY(review->findChild<QWidget*>(QStringLiteral("ReviewLegend"))->isVisible());
                QCOMPARE(review->findChild<QListWidget*>(QStringLiteral("ListView1"))->count(), 32);
                review->reject();
            });

        // Exit Exam, then back to the start window.
        Prompt::setNextAnswers({QMessageBox::Yes});
        click(test->findChild<QPushButton*>(QStringLiteral("Button3")));
        QCOMPARE(test->ExamMode(), int(TTestForm::HomeMode));
        QVERIFY(test->close());
        QVERIFY(start->isVisible());

        // The tables: the working copy holds exam A whole; the bank is as shipped.
        QCOMPARE(
            FixtureBank::query(
                path(Schemas::CurrentExamFile),
                QStringLiteral("SELECT COUNT(DISTINCT Q_OR_NUMBER) FROM ces WHERE Q_EXAM_N=1")),
            QStringList{QStringLiteral("32")});
        QCOMPARE(FixtureBank::query(path(Schemas::BankFile),
                                    QStringLiteral("SELECT COUNT(*) FROM tsl4 WHERE U_MEMO <> ''")),
                 QStringList{QStringLiteral("0")});
    }

    void aPersonalQuestionReachesAUserExam()
    {
        Program program(m_dir.path());
        TMainForm* start = program.MainForm;
        start->show();
        QVERIFY(QTest::qWaitForWindowExposed(start));
        click(start->findChild<ShapedButton*>(QStringLiteral("SamplerBtn")));
        TSamplerForm* sampler = program.SamplerForm;
        QVERIFY(sampler->isVisible() && !start->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(sampler));
        auto* pages = sampler->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        QCOMPARE(text(sampler->findChild<QWidget*>(QStringLiteral("fcLabel4"))),
                 QStringLiteral("The question set is empty"));

        // Write one multiple-response item on the four pages, and save it.
        click(sampler->findChild<QAbstractButton*>(QStringLiteral("AddActButton")));
        QTest::keyClicks(sampler->findChild<DBMemo*>(QStringLiteral("DBMemo1")),
                         QStringLiteral("Which two commands show listening TCP sockets?"));
        pages->setCurrentWidget(sampler->findChild<QWidget*>(QStringLiteral("TabSheet2")));
        auto* type = sampler->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
        type->setCurrentIndex(1);
        auto* sections = sampler->findChild<QListWidget*>(QStringLiteral("ListBox1"));
        QTest::mouseClick(sections->viewport(), Qt::LeftButton, {},
                          sections->visualItemRect(sections->item(5)).center());
        pages->setCurrentWidget(sampler->findChild<QWidget*>(QStringLiteral("TabSheet3")));
        const QStringList choices = {QStringLiteral("ss -tln"), QStringLiteral("ip route"),
                                     QStringLiteral("netstat -tln")};
        for (int i = 0; i < choices.size(); ++i) {
            QTest::keyClicks(sampler->findChild<DBEdit*>(QStringLiteral("DBEdit%1").arg(i + 2)),
                             choices[i]);
        }
        click(sampler->findChild<DBCheckBox*>(QStringLiteral("DBCheckBox1")));
        click(sampler->findChild<DBCheckBox*>(QStringLiteral("DBCheckBox3")));
        pages->setCurrentWidget(sampler->findChild<QWidget*>(QStringLiteral("TabSheet4")));
        QTest::keyClicks(sampler->findChild<DBMemo*>(QStringLiteral("DBMemo2")),
                         QStringLiteral("ss and netstat list sockets; ip route shows routes."));
        click(sampler->findChild<QPushButton*>(QStringLiteral("BitBtn1")));
        for (const Prompt::Record& record : Prompt::takeRecords())
            QFAIL(qPrintable(record.text));
        const QString id = text(sampler->findChild<QWidget*>(QStringLiteral("fcLabel4")))
                               .section(QLatin1Char(' '), 2);
        QVERIFY(id.toInt() > 0);

        Prompt::setNextAnswers({QMessageBox::Ok}); // "Are you sure to exit?"
        QVERIFY(sampler->close());
        QVERIFY(start->isVisible());

        // The User Exam draws it.
        click(start->findChild<ShapedButton*>(QStringLiteral("StartTestBtn")));
        TTestForm* test = program.TestForm;
        withModal<TNameForm>(
            [&] { click(test->findChild<ShapedButton*>(QStringLiteral("UserBtn"))); },
            [](TNameForm* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("User Exam"));
                click(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1")));
            });
        QCOMPARE(text(test->findChild<QWidget*>(QStringLiteral("Label1"))),
                 QStringLiteral("Item 1 of 1"));
        QCOMPARE(text(test->findChild<QWidget*>(QStringLiteral("Label2"))),
                 QStringLiteral("Item ID: ") + id);
        QVERIFY(!test->findChild<QPushButton*>(QStringLiteral("NoteButton"))->isVisible());
        QVERIFY(test->findChild<QWidget*>(QStringLiteral("CheckBox1"))->isVisible());
        QVERIFY(!test->findChild<QWidget*>(QStringLiteral("CheckBox4"))->isVisible());
        click(test->findChild<QWidget*>(QStringLiteral("ALabel1")));
        click(test->findChild<QWidget*>(QStringLiteral("ALabel3")));
        Prompt::setNextAnswers({QMessageBox::Ok});
        withModal<TScoreForm>(
            [&] { click(test->findChild<QPushButton*>(QStringLiteral("GradeButton"))); },
            [](TScoreForm* score) {
                QCOMPARE(score->findChild<QLabel*>(QStringLiteral("TotalLabel"))->text(),
                         QStringLiteral("Passing Score: 850   Your Score: 1000   Grade: Pass"));
                QVERIFY(score->results().sections.points[1].label.startsWith(
                    QStringLiteral("Monitoring and Optimization (1/1)")));
                Prompt::setNextAnswers({QMessageBox::Yes});
                click(score->findChild<QPushButton*>(QStringLiteral("BitBtn3")));
            });
        QCOMPARE(test->ExamMode(), int(TTestForm::HomeMode));
        QVERIFY(test->close());

        // The personal table holds the item as written.
        QCOMPARE(
            FixtureBank::query(
                path(Schemas::PersonalFile),
                QStringLiteral("SELECT Q_ID || '|' || Q_SECT || '|' || Q_TYPE || '|' || Q1 || '|' "
                               "|| Q3 || '|' || A1 || A2 || A3 FROM tsl4usr")),
            QStringList{id + QStringLiteral("|6|1|ss -tln|netstat -tln|101")});
    }

    void aPreferenceReachesTheNextStart()
    {
        {
            Program program(m_dir.path());
            TTestForm* test = program.TestForm;
            test->show();
            QFont serif(QStringLiteral("Liberation Serif"), 13);
            ChooserDialogs::setNextFont(ColoredFont{serif, QColor(128, 0, 0)});
            withModal<TOptionsForm>(
                [&] { test->findChild<QAction*>(QStringLiteral("Preferences1"))->trigger(); },
                [](TOptionsForm* options) {
                    click(options->findChild<QPushButton*>(QStringLiteral("BitBtn3")));
                    options->findChild<QRadioButton*>(QStringLiteral("LearnShow"))->click();
                    options->findChild<QRadioButton*>(QStringLiteral("TimerOffButton"))->click();
                    options->findChild<QSpinBox*>(QStringLiteral("SpinEdit1"))->setValue(25);
                    click(options->findChild<QPushButton*>(QStringLiteral("BitBtn1")));
                });
            QVERIFY(!test->findChild<QPushButton*>(QStringLiteral("LearnButton"))->isHidden());
        }
        // The next start of the program.
        Program program(m_dir.path());
        TTestForm* test = program.TestForm;
        test->show();
        QCOMPARE(test->findChild<QLabel*>(QStringLiteral("QText"))->font().family(),
                 QStringLiteral("Liberation Serif"));
        QCOMPARE(test->findChild<QLabel*>(QStringLiteral("QText"))
                     ->palette()
                     .color(QPalette::WindowText),
                 QColor(128, 0, 0));
        int minutes = 0;
        withModal<TNameForm>(
            [&] { click(test->findChild<ShapedButton*>(QStringLiteral("fcShapeBtn2"))); },
            [&](TNameForm* dialog) {
                minutes = dialog->minutes();
                click(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1")));
            });
        QCOMPARE(minutes, 25);
        QVERIFY(test->findChild<QPushButton*>(QStringLiteral("LearnButton"))->isVisible());
        QVERIFY(!test->findChild<QWidget*>(QStringLiteral("TimeLabel"))->isVisible()); // timer off
        test->CloseCurrentExam();
    }
};

TESSALY_TEST_MAIN(TestAcceptance)
#include "tst_acceptance.moc"
