#include "ChooserDialogs.h"
#include "ExamDriver.h"
#include "GuiTest.h"
#include "Prompt.h"
#include "SettingsStore.h"
#include "ShapedButton.h"
#include "TNameForm.h"
#include "TOptionsForm.h"
#include "TTestForm.h"
#include "TddgRunButton.h"
#include "TestMain.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

// The options dialog, what it applies and stores, and the calculator button.
class TestOptions : public GuiTest {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QDateTime m_now;

    static QStringList storedKeys()
    {
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tessaly 4"));
        raw.beginGroup(QStringLiteral("Options"));
        return raw.childKeys();
    }

    static QString stored(const QString& key)
    {
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tessaly 4"));
        return raw.value(QStringLiteral("Options/") + key).toString();
    }

    // Opens the options dialog; `act` sets it up, then it is confirmed with OK (or closed by
    // its frame when `confirm` is false).
    void options(const std::function<void(TOptionsForm*)>& act, bool confirm = true)
    {
        withModal<TOptionsForm>(
            [this] { find<QAction>(QStringLiteral("Preferences1"))->trigger(); },
            [&](TOptionsForm* dialog) {
                if (act)
                    act(dialog);
                if (confirm)
                    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1")),
                                      Qt::LeftButton);
                else
                    dialog->close();
            });
    }

    static void check(TOptionsForm* dialog, const QString& radio)
    {
        dialog->findChild<QRadioButton*>(radio)->click();
    }

    static void setPath(TOptionsForm* dialog, const QString& path)
    {
        dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(path);
    }

    QString script(const QString& name, const QByteArray& body, bool executable = true)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(body);
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return path;
    }

    void makeDriver()
    {
        m_driver = std::make_unique<ExamDriver>();
        m_driver->showTestWindow();
        m_now = QDateTime(QDate(2026, 12, 11), QTime(9, 0));
        form()->setClock([this] { return m_now; });
    }

private slots:
    void init()
    {
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tessaly 4"));
        raw.clear();
        raw.sync();
        GuiTest::init();
    }

    void okWithoutChangesWritesEveryValueAndChangesNothing()
    {
        makeDriver();
        const QFont question = find<QLabel>(QStringLiteral("QText"))->font();
        QVERIFY(storedKeys().isEmpty());
        QString page;
        QString example;
        options([&](TOptionsForm* dialog) {
            page = dialog->findChild<QTabWidget*>(QStringLiteral("PageControl1"))
                       ->tabText(dialog->findChild<QTabWidget*>(QStringLiteral("PageControl1"))
                                     ->currentIndex());
            example = dialog->findChild<QLabel*>(QStringLiteral("Panel1"))->text();
        });
        QCOMPARE(page, QStringLiteral("'Learn Now' button"));
        QCOMPARE(example, QStringLiteral("Question"));
        QCOMPARE(storedKeys().size(), 20);
        QCOMPARE(stored(QStringLiteral("DefaultTime")), QStringLiteral("90"));
        QCOMPARE(stored(QStringLiteral("TimerOn")), QStringLiteral("1"));
        QCOMPARE(stored(QStringLiteral("ShowLearnBtn")), QStringLiteral("0"));
        QCOMPARE(stored(QStringLiteral("EXPFontColor")), QStringLiteral("8388608"));
        QCOMPARE(find<QLabel>(QStringLiteral("QText"))->font(), question);
        QVERIFY(find<QPushButton>(QStringLiteral("LearnButton"))->isHidden());
        QVERIFY(Prompt::takeRecords().isEmpty());
    }

    void aTypedDefaultTimeIsBroughtIntoRange_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<bool>("leaveByTab"); // else straight to OK
        QTest::newRow("above, then OK") << "12345"
                                        << "9000" << false;
        QTest::newRow("above, focus leaves") << "90000"
                                             << "9000" << true;
        QTest::newRow("below") << "0"
                               << "1" << false;
        QTest::newRow("inside") << "4500"
                                << "4500" << true;
    }

    void aTypedDefaultTimeIsBroughtIntoRange()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(bool, leaveByTab);
        makeDriver();
        QString afterLeaving;
        options([&](TOptionsForm* dialog) {
            dialog->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(2);
            auto* box = dialog->findChild<QSpinBox*>(QStringLiteral("SpinEdit1"));
            ExamDriver::typeInto(box, typed);
            QCOMPARE(box->text(), typed); // every key was taken
            if (leaveByTab) {
                QTest::keyClick(box, Qt::Key_Tab);
                afterLeaving = box->text();
            }
        });
        if (leaveByTab)
            QCOMPARE(afterLeaving, kept);
        QCOMPARE(stored(QStringLiteral("DefaultTime")), kept);
        QVERIFY(Prompt::takeRecords().isEmpty());
    }

    void everyChoiceShowsItsWholeText()
    {
        makeDriver();
        options([](TOptionsForm* dialog) {
            auto* tabs = dialog->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
            for (int page = 0; page < tabs->count(); ++page) {
                tabs->setCurrentIndex(page);
                for (QRadioButton* radio : tabs->widget(page)->findChildren<QRadioButton*>()) {
                    QVERIFY2(radio->width() >= radio->sizeHint().width(),
                             qPrintable(radio->text()));
                    const QRect inDialog(radio->mapTo(dialog, QPoint(0, 0)), radio->size());
                    QVERIFY2(dialog->rect().contains(inDialog), qPrintable(radio->text()));
                }
            }
        });
    }

    void closingByTheFrameAppliesAndStoresNothing()
    {
        makeDriver();
        const QFont question = find<QLabel>(QStringLiteral("QText"))->font();
        ChooserDialogs::setNextFont(
            ColoredFont{QFont(QStringLiteral("Liberation Serif"), 20), Qt::red});
        options(
            [](TOptionsForm* dialog) {
                QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn3")),
                                  Qt::LeftButton);
                QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("Panel1"))->font().family(),
                         QStringLiteral("Liberation Serif"));
                check(dialog, QStringLiteral("LearnShow"));
            },
            false);
        QCOMPARE(find<QLabel>(QStringLiteral("QText"))->font(), question);
        QVERIFY(find<QPushButton>(QStringLiteral("LearnButton"))->isHidden());
        QVERIFY(storedKeys().isEmpty());
    }

    void choicesApplyAtOnceAndComeBackAtTheNextStart()
    {
        makeDriver();
        QFont serif(QStringLiteral("Liberation Serif"), 14);
        serif.setBold(true);
        serif.setUnderline(true);
        ChooserDialogs::setNextFont(ColoredFont{serif, QColor(0, 128, 0)});
        options([](TOptionsForm* dialog) {
            dialog->findChild<QListWidget*>(QStringLiteral("ListBox1"))
                ->setCurrentRow(1); // Answers
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn3")),
                              Qt::LeftButton);
            check(dialog, QStringLiteral("LearnShow"));
            dialog->findChild<QSpinBox*>(QStringLiteral("SpinEdit1"))->setValue(45);
        });
        auto* answers = find<QScrollArea>(QStringLiteral("ScrollBox1"));
        QCOMPARE(answers->font().family(), QStringLiteral("Liberation Serif"));
        QVERIFY(answers->font().underline()); // shown now, not kept
        QCOMPARE(answers->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        QVERIFY(!find<QPushButton>(QStringLiteral("LearnButton"))->isHidden());
        QCOMPARE(stored(QStringLiteral("AFontName")), QStringLiteral("Liberation Serif"));
        QCOMPARE(stored(QStringLiteral("AFontSize")), QStringLiteral("14"));
        QCOMPARE(stored(QStringLiteral("AFontBold")), QStringLiteral("1"));
        QCOMPARE(stored(QStringLiteral("AFontColor")), QStringLiteral("32768"));
        QCOMPARE(stored(QStringLiteral("DefaultTime")), QStringLiteral("45"));

        // The exam start dialog offers the new default time.
        int minutes = 0;
        m_driver->startExam(
            [&] {
                QTest::mouseClick(find<ShapedButton>(QStringLiteral("fcShapeBtn1")),
                                  Qt::LeftButton);
            },
            [&](TNameForm* dialog) { minutes = dialog->minutes(); }, false);
        QCOMPARE(minutes, 45);

        // The next start of the program reads them back, without the underline.
        makeDriver();
        answers = find<QScrollArea>(QStringLiteral("ScrollBox1"));
        QCOMPARE(answers->font().family(), QStringLiteral("Liberation Serif"));
        QVERIFY(answers->font().bold());
        QVERIFY(!answers->font().underline());
        QVERIFY(!find<QPushButton>(QStringLiteral("LearnButton"))->isHidden());
        QCOMPARE(form()->settings().DefaultTime, 45);
    }

    void switchingTheTimerOffAndOnRestartsTheCountdown()
    {
        makeDriver();
        m_driver->startExam(
            [&] {
                QTest::mouseClick(find<ShapedButton>(QStringLiteral("fcShapeBtn2")),
                                  Qt::LeftButton);
            },
            [](TNameForm* dialog) { dialog->setMinutes(90); });
        auto* time = find<QWidget>(QStringLiteral("TimeLabel"));
        m_now = m_now.addSecs(600);
        form()->Timer1Timer();
        QCOMPARE(time->property("text").toString(), QStringLiteral("1:20:00"));

        options([](TOptionsForm* dialog) { check(dialog, QStringLiteral("TimerOffButton")); });
        QVERIFY(!time->isVisible());
        QVERIFY(!form()->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());

        options([](TOptionsForm* dialog) { check(dialog, QStringLiteral("TimerOnButton")); });
        QVERIFY(time->isVisible());
        QCOMPARE(time->property("text").toString(), QStringLiteral("1:30:00"));
        m_now = m_now.addSecs(1);
        form()->Timer1Timer();
        QCOMPARE(time->property("text").toString(), QStringLiteral("1:29:59"));
    }

    void calculatorPathsAreCheckedWhenTheyChange()
    {
        const QString calculator = script(QStringLiteral("calc.sh"), "#!/bin/sh\nexit 0\n");
        SettingsStore().save([&] {
            Settings s;
            s.CalcPath = calculator;
            return s;
        }());
        makeDriver();
        auto* button = find<TddgRunButton>(QStringLiteral("CalcButton"));
        QCOMPARE(button->CommandLine(), calculator);
        QVERIFY(!button->isHidden());

        struct Case {
            QString path;
            QString message;
        };
        const QString upper = m_dir.filePath(QStringLiteral("CALC.sh"));
        const QString plain = script(QStringLiteral("notes.txt"), "text", false);
        const QList<Case> cases = {
            {QString(), QStringLiteral(" is not an executable file.")},
            {upper, QStringLiteral("The file: ") + upper + QStringLiteral(" cannot be found.")},
            {plain, plain + QStringLiteral(" is not an executable file.")},
            {m_dir.path(), m_dir.path() + QStringLiteral(" is not an executable file.")},
        };
        for (const Case& c : cases) {
            Prompt::setNextAnswers({QMessageBox::Ok});
            options([&](TOptionsForm* dialog) { setPath(dialog, c.path); });
            const QList<Prompt::Record> records = Prompt::takeRecords();
            QCOMPARE(records.size(), 1);
            QCOMPARE(records[0].kind, Prompt::Kind::Error);
            QCOMPARE(records[0].text, c.message);
            // Stored as entered; the button keeps its program.
            QCOMPARE(stored(QStringLiteral("CalcPath")), c.path);
            QCOMPARE(form()->settings().CalcPath, c.path);
            QCOMPARE(button->CommandLine(), calculator);
        }
        // An unchanged path is not checked again.
        options({});
        QVERIFY(Prompt::takeRecords().isEmpty());
    }

    void theButtonShowsACalculatorSharpAtEveryDensity()
    {
        TddgRunButton button;
        QCOMPARE(button.iconSize(), QSize(24, 24));
        const QIcon icon = button.icon();
        QVERIFY(!icon.isNull());
        for (int ratio : {1, 2}) {
            const QPixmap pixmap = icon.pixmap(QSize(32, 32), ratio);
            // Drawn at the screen's density, not scaled up from a smaller picture.
            QCOMPARE(pixmap.size(), QSize(32, 32) * ratio);
            QCOMPARE(pixmap.devicePixelRatio(), qreal(ratio));
            const QImage image = pixmap.toImage();
            QCOMPARE(image.pixelColor(QPoint(15, 8) * ratio), QColor(150, 200, 150));  // display
            QCOMPARE(image.pixelColor(QPoint(10, 15) * ratio), QColor(60, 60, 80));    // a key
            QCOMPARE(image.pixelColor(QPoint(15, 28) * ratio), QColor(225, 228, 235)); // body
            QCOMPARE(image.pixelColor(QPoint(2, 15) * ratio).alpha(), 0);
        }
    }

    void theButtonStartsItsProgramOrSaysWhyNot()
    {
        TddgRunButton button;
        const QString marker = m_dir.filePath(QStringLiteral("ran"));
        const QString good = script(QStringLiteral("good.sh"),
                                    "#!/bin/sh\necho \"$#\" > '" + marker.toLocal8Bit() + "'\n");
        QVERIFY(button.setCommandLine(good));
        button.click();
        QTRY_VERIFY(QFile::exists(marker));
        auto written = [&marker] {
            QFile ran(marker);
            return ran.open(QIODevice::ReadOnly) ? ran.readAll().trimmed() : QByteArray();
        };
        QTRY_COMPARE(written(), QByteArray("0")); // started without arguments

        const QString broken = script(QStringLiteral("broken.sh"), "#!/nonexistent/interpreter\n");
        QVERIFY(button.setCommandLine(broken));
        Prompt::setNextAnswers({QMessageBox::Ok});
        button.click();
        const QList<Prompt::Record> records = Prompt::takeRecords();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].kind, Prompt::Kind::Error);
        QVERIFY2(
            records[0].text.startsWith(QStringLiteral("Error executing program. Error Code:; ")),
            qPrintable(records[0].text));
        QVERIFY(!button.icon().isNull());
    }
};

TESSALY_TEST_MAIN(TestOptions)
#include "tst_options.moc"
