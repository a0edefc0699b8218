#include "DataFolder.h"
#include "FixtureBank.h"
#include "GuiTest.h"
#include "Program.h"
#include "Prompt.h"
#include "ShapedButton.h"
#include "TMainForm.h"
#include "TTestForm.h"
#include "TableSchema.h"
#include "TestMain.h"

#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>

// The start window and program start: the windows, the data folder, going to the test window
// and coming back.
class TestStartWindow : public GuiTest {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Program> m_program;

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        GuiTest::init();
        m_program = std::make_unique<Program>(m_dir.path());
    }

    void cleanup()
    {
        m_program.reset();
        GuiTest::cleanup();
    }

    void theProgramFolderIsTheDataFolder()
    {
        QCOMPARE(m_program->session().dataFolder(), QDir(m_dir.path()).absolutePath());
        QCOMPARE(m_program->session().filePath(Schemas::BankFile),
                 QDir(m_dir.path()).filePath(Schemas::BankFile));
    }

    void theStartWindowHasItsLogoAndThreeButtons()
    {
        TMainForm* form = m_program->MainForm;
        QCOMPARE(form->windowTitle(), QStringLiteral("Tessaly 4"));
        auto* logo = form->findChild<QLabel*>(QStringLiteral("Image1"));
        QVERIFY(logo && !logo->pixmap().isNull());
        QCOMPARE(logo->pixmap().size(), QSize(221, 48));

        struct Expected {
            const char* name;
            const char* caption;
            QColor color;
            QRect geometry;
        };
        const Expected expected[] = {
            {"StartTestBtn", "Start &Testing", QColor(0, 0, 128), QRect(47, 14, 138, 34)},
            {"SamplerBtn", "Test &Sampler", QColor(128, 0, 128), QRect(47, 50, 138, 34)},
            {"fcShapeBtn3", "E&xit", QColor(0, 128, 128), QRect(47, 102, 138, 34)},
        };
        for (const Expected& e : expected) {
            auto* button = form->findChild<ShapedButton*>(QLatin1String(e.name));
            QVERIFY2(button, e.name);
            QCOMPARE(button->text(), QLatin1String(e.caption));
            QCOMPARE(button->color(), e.color);
            QCOMPARE(button->geometry(), e.geometry);
            QVERIFY(button->isEnabled());
        }
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCOMPARE(form->size(), QSize(236, 200)); // sized to the logo band and the panel
    }

    void startTestingSwapsWindowsAndClosingComesBack()
    {
        TMainForm* mainForm = m_program->MainForm;
        TTestForm* testForm = m_program->TestForm;
        mainForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainForm));

        QTest::mouseClick(mainForm->findChild<ShapedButton*>(QStringLiteral("StartTestBtn")),
                          Qt::LeftButton);
        QVERIFY(!mainForm->isVisible());
        QVERIFY(testForm->isVisible());
        QVERIFY(testForm->windowState() & Qt::WindowMaximized);
        QCOMPARE(testForm->ExamMode(), int(TTestForm::HomeMode));

        QVERIFY(testForm->close()); // home mode: no question asked
        QVERIFY(Prompt::takeRecords().isEmpty());
        QVERIFY(!testForm->isVisible());
        QVERIFY(mainForm->isVisible());
    }

    void theMnemonicStartsTesting()
    {
        TMainForm* mainForm = m_program->MainForm;
        mainForm->show();
        QApplication::setActiveWindow(mainForm);
        QVERIFY(QTest::qWaitForWindowActive(mainForm));
        QTest::keyClick(mainForm, Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(m_program->TestForm->isVisible()); // an accelerator clicks after a moment
        QVERIFY(!mainForm->isVisible());
        m_program->TestForm->close();
    }

    void aWritableProgramFolderKeepsItsTables()
    {
        QTemporaryDir program;
        FixtureBank::writeBank(QDir(program.path()).filePath(Schemas::BankFile),
                               FixtureBank::generate(3));
        QTemporaryDir user;
        QCOMPARE(DataFolder::resolve(program.path(), user.filePath(QStringLiteral("data"))),
                 QDir(program.path()).absolutePath());
        QVERIFY(!QDir(user.filePath(QStringLiteral("data"))).exists());
    }

    void anInstalledProgramKeepsTablesInTheUsersFolder_data()
    {
        QTest::addColumn<bool>("installLayout"); // bank in ../share/tessaly4, not beside it
        QTest::newRow("bank beside a read-only program") << false;
        QTest::newRow("installed under a prefix") << true;
    }

    void anInstalledProgramKeepsTablesInTheUsersFolder()
    {
        QFETCH(bool, installLayout);
        QTemporaryDir prefix;
        QDir(prefix.path()).mkpath(QStringLiteral("bin"));
        QDir(prefix.path()).mkpath(QStringLiteral("share/tessaly4"));
        const QString programFolder = prefix.filePath(QStringLiteral("bin"));
        const QString shipped = installLayout
                                    ? prefix.filePath(QStringLiteral("share/tessaly4/tsl4.DAT"))
                                    : QDir(programFolder).filePath(Schemas::BankFile);
        FixtureBank::writeBank(shipped, FixtureBank::generate(4));
        QFile::setPermissions(shipped, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QString user = prefix.filePath(QStringLiteral("home/data"));
        auto readOnly = [](const QString&) {
            return false;
        };

        const QString folder = DataFolder::resolve(programFolder, user, readOnly);
        QCOMPARE(folder, QDir(user).absolutePath());
        const QString copy = QDir(folder).filePath(Schemas::BankFile);
        QCOMPARE(FixtureBank::query(copy, QStringLiteral("SELECT COUNT(*) FROM tsl4")),
                 QStringList{QStringLiteral("4")});
        QVERIFY(QFileInfo(copy).permissions() & QFile::WriteOwner);

        // The candidate's notes live in the copy: a later start never replaces it.
        FixtureBank::query(copy, QStringLiteral("UPDATE tsl4 SET U_MEMO='mine' WHERE Q_ID=2"));
        QCOMPARE(DataFolder::resolve(programFolder, user, readOnly), folder);
        QCOMPARE(FixtureBank::query(copy, QStringLiteral("SELECT U_MEMO FROM tsl4 WHERE Q_ID=2")),
                 QStringList{QStringLiteral("mine")});
    }

    void exitClosesWithoutAPrompt()
    {
        TMainForm* mainForm = m_program->MainForm;
        mainForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainForm));
        QTest::mouseClick(mainForm->findChild<ShapedButton*>(QStringLiteral("fcShapeBtn3")),
                          Qt::LeftButton);
        QVERIFY(!mainForm->isVisible());
        QVERIFY(Prompt::takeRecords().isEmpty());
    }
};

TESSALY_TEST_MAIN(TestStartWindow)
#include "tst_startwindow.moc"
