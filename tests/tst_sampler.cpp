#include "DBNavigator.h"
#include "DataAwareEditors.h"
#include "ExamDriver.h"
#include "FieldNames.h"
#include "FileLock.h"
#include "GuiTest.h"
#include "OutlinedLabel.h"
#include "Prompt.h"
#include "SectionTitles.h"
#include "ShapedButton.h"
#include "TAboutForm.h"
#include "TDM.h"
#include "TMainForm.h"
#include "TNameForm.h"
#include "TSamplerForm.h"
#include "TTestForm.h"
#include "Table.h"
#include "TableSchema.h"
#include "TestMain.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

FixtureItem personalItem(const QString& text, int section, bool multiple)
{
    FixtureItem item;
    item.examNumber = 0;
    item.section = section;
    item.multiple = multiple;
    item.text = text;
    item.explanation = text + QStringLiteral(" explained");
    item.choices = {QStringLiteral("yes"), QStringLiteral("no")};
    item.keys = {true, false};
    return item;
}

// Three items whose numbers have gaps, as after deletions.
const QList<qint64> ThreeIds = {4, 11, 25};

QVector<FixtureItem> itemsFor(const QList<qint64>& ids)
{
    // Neighbouring items differ in section, and odd numbers are multiple-response items, so a
    // mix-up of items shows.
    const int sections[] = {2, 6, 3};
    QVector<FixtureItem> items;
    for (const qint64 id : ids) {
        items.append(personalItem(QStringLiteral("Question %1").arg(id), sections[items.size() % 3],
                                  id % 2 == 1));
    }
    return items;
}

} // namespace

// The Test Sampler, opened from the start window as the candidate opens it, with the
// personal table written before the program starts.
class TestSampler : public GuiTest {
    Q_OBJECT

private:
    void startProgram(const QList<qint64>& ids)
    {
        m_driver = std::make_unique<ExamDriver>(ExamDriver::standardBank(), itemsFor(ids),
                                                QVector<qint64>(ids.cbegin(), ids.cend()));
    }

    Program& program() { return m_driver->program(); }
    TSamplerForm* sampler() { return program().SamplerForm; }
    Table* table() { return program().DM->dtUserSet; }

    template <typename T> T* find(const QString& name)
    {
        T* widget = GuiTest::find<T>(sampler(), name);
        if (!widget)
            qFatal("no %s in the sampler", qPrintable(name));
        return widget;
    }
    QString header() { return find<OutlinedLabel>(QStringLiteral("fcLabel4"))->text(); }
    QString panel(int n) { return find<QLabel>(QStringLiteral("StatusPanel%1").arg(n))->text(); }
    QAction* action(const char* name) { return find<QAction>(QLatin1String(name)); }
    QTabWidget* pages() { return find<QTabWidget>(QStringLiteral("PageControl1")); }
    QListWidget* sectionList() { return find<QListWidget>(QStringLiteral("ListBox1")); }
    QComboBox* typeSelector() { return find<QComboBox>(QStringLiteral("ComboBox1")); }
    QTreeWidget* itemList() { return find<QTreeWidget>(QStringLiteral("fcDBTreeView1")); }
    QToolButton* navigatorButton(const char* name)
    {
        return find<DBNavigator>(QStringLiteral("DBNavigator1"))
            ->findChild<QToolButton*>(QLatin1String(name));
    }

    QString personalPath() const
    {
        return QDir(m_driver->folder()).filePath(Schemas::PersonalFile);
    }
    // A field of one stored item, as the table file holds it.
    QString stored(const QString& field, qint64 id) const
    {
        const QStringList rows = FixtureBank::query(
            personalPath(),
            QStringLiteral("SELECT %1 FROM tsl4usr WHERE Q_ID = %2").arg(field).arg(id));
        return rows.isEmpty() ? QStringLiteral("<no item>") : rows.first();
    }
    QStringList storedIds() const
    {
        return FixtureBank::query(personalPath(),
                                  QStringLiteral("SELECT Q_ID FROM tsl4usr ORDER BY Q_ID"));
    }
    QStringList nodes()
    {
        QStringList labels;
        for (int i = 0; i < itemList()->topLevelItemCount(); ++i)
            labels.append(itemList()->topLevelItem(i)->text(0));
        return labels;
    }
    QString currentNode()
    {
        QTreeWidgetItem* node = itemList()->currentItem();
        return node && node->isSelected() ? node->text(0) : QString();
    }

    void openSampler()
    {
        TMainForm* mainForm = program().MainForm;
        mainForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainForm));
        QTest::mouseClick(mainForm->findChild<ShapedButton*>(QStringLiteral("SamplerBtn")),
                          Qt::LeftButton);
        QVERIFY(sampler()->isVisible());
        QVERIFY(!mainForm->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(sampler()));
    }
    void activateSampler()
    {
        QApplication::setActiveWindow(sampler());
        QVERIFY(QTest::qWaitForWindowActive(sampler()));
    }
    void showPage(const char* page)
    {
        pages()->setCurrentWidget(find<QWidget>(QLatin1String(page)));
    }
    // The focus in the question editor, then the page "Type, Section": the list takes it.
    void enterTheTypeSectionPageFromTheQuestion()
    {
        auto* memo = find<DBMemo>(QStringLiteral("DBMemo1"));
        memo->setFocus();
        QTRY_VERIFY(memo->hasFocus());
        showPage("TabSheet2");
        QTRY_VERIFY(sectionList()->hasFocus());
    }
    void click(const QString& button)
    {
        QTest::mouseClick(find<QAbstractButton>(button), Qt::LeftButton);
    }
    // The toolbar's button for a command.
    void command(const char* actionName)
    {
        click(QLatin1String(actionName) + QStringLiteral("Button"));
    }
    void typeQuestion(const QString& text)
    {
        showPage("TabSheet1");
        QTest::keyClicks(find<DBMemo>(QStringLiteral("DBMemo1")), text);
    }
    void pickSection(int section)
    {
        showPage("TabSheet2");
        QListWidget* list = sectionList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(section - 1)).center());
    }
    void pickNode(const QString& label)
    {
        QTreeWidget* tree = itemList();
        const QList<QTreeWidgetItem*> found = tree->findItems(label, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(found.first()).center());
    }
    // Replaces the type selector's text with what the candidate types.
    void typeIntoTypeSelector(const QString& text)
    {
        showPage("TabSheet2");
        QLineEdit* edit = typeSelector()->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    void closeSampler()
    {
        Prompt::setNextAnswers({QMessageBox::Ok});
        QVERIFY(sampler()->close());
        verifyNoErrorShown();
    }

    // One step of a scenario, as the candidate does it.
    void perform(const QString& step)
    {
        if (step == QLatin1String("add")) {
            command("AddAct");
        } else if (step == QLatin1String("edit")) {
            command("EditAct");
        } else if (step == QLatin1String("delete")) {
            Prompt::setNextAnswers({QMessageBox::Ok});
            command("DelAct");
        } else if (step == QLatin1String("empty")) {
            Prompt::setNextAnswers({QMessageBox::Ok});
            action("Emptyquestionset1")->trigger();
        } else if (step == QLatin1String("save")) {
            click(QStringLiteral("BitBtn1"));
        } else if (step == QLatin1String("cancel")) {
            click(QStringLiteral("BitBtn2"));
        } else if (step == QLatin1String("type")) {
            typeQuestion(QStringLiteral("typed"));
        } else if (step == QLatin1String("section3")) {
            pickSection(3);
        } else if (step == QLatin1String("next")) {
            QTest::mouseClick(navigatorButton("NextButton"), Qt::LeftButton);
        } else if (step == QLatin1String("reopen")) {
            closeSampler();
            openSampler();
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        }
    }

    // No step may have ended in an error box.
    void verifyNoErrorShown()
    {
        for (const Prompt::Record& record : Prompt::takeRecords())
            QVERIFY2(record.kind != Prompt::Kind::Error, qPrintable(record.text));
    }

private slots:
    void theDisplayFollowsTheTableState_data()
    {
        QTest::addColumn<QList<qint64>>("ids");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("headerText");
        QTest::addColumn<QString>("panel1");
        QTest::addColumn<QString>("panel2");
        QTest::addColumn<QString>("panel3");
        QTest::addColumn<QString>("panel4");
        QTest::addColumn<bool>("saveCancel");
        QTest::addColumn<bool>("add");
        QTest::addColumn<bool>("editDelete");
        QTest::addColumn<bool>("moving"); // the item list and the navigator

        const QList<qint64> none;
        const QString empty = QStringLiteral("The question set is empty");
        const QString browsing = QStringLiteral("  Browsing");
        const QString modified = QStringLiteral(" Modified");
        const QString saved = QStringLiteral(" Saved");
        // clang-format off
        QTest::newRow("empty set opened") << none << QStringList{}
            << empty << " Empty" << " Items: 0" << browsing << "" << false << true << false << true;
        QTest::newRow("items opened") << ThreeIds << QStringList{}
            << "Item ID: 4" << " Item ID: 4" << " Items: 3" << browsing << "" << false << true << true << true;
        QTest::newRow("add") << ThreeIds << QStringList{"add"}
            << "Add new item" << " Item ID: 4" << " Items: 3" << " Add new item" << modified << true << false << false << false;
        QTest::newRow("add on the empty set") << none << QStringList{"add"}
            << "Add new item" << " Empty" << " Items: 0" << " Add new item" << modified << true << false << false << false;
        QTest::newRow("add, cancel on the empty set") << none << QStringList{"add", "cancel"}
            << empty << " Empty" << " Items: 0" << browsing << "" << false << true << false << true;
        QTest::newRow("add, save") << ThreeIds << QStringList{"add", "type", "section3", "save"}
            << "Item ID: 26" << " Item ID: 26" << " Items: 4" << browsing << saved << false << true << true << true;
        QTest::newRow("add, save on the empty set") << none << QStringList{"add", "type", "section3", "save"}
            << "Item ID: 1" << " Item ID: 1" << " Items: 1" << browsing << saved << false << true << true << true;
        QTest::newRow("edit") << ThreeIds << QStringList{"edit"}
            << "Edit Item" << " Item ID: 4" << " Items: 3" << " Edit Item" << modified << true << false << false << false;
        QTest::newRow("edit, cancel") << ThreeIds << QStringList{"edit", "cancel"}
            << "Item ID: 4" << " Item ID: 4" << " Items: 3" << browsing << "" << false << true << true << true;
        QTest::newRow("edit, save") << ThreeIds << QStringList{"edit", "save"}
            << "Item ID: 4" << " Item ID: 4" << " Items: 3" << browsing << saved << false << true << true << true;
        QTest::newRow("typing edits") << ThreeIds << QStringList{"type"}
            << "Edit Item" << " Item ID: 4" << " Items: 3" << " Edit Item" << modified << true << true << true << true;
        QTest::newRow("typing on the empty set adds") << none << QStringList{"type"}
            << "Add new item" << " Empty" << " Items: 0" << " Add new item" << modified << true << true << false << false;
        QTest::newRow("picking a section edits") << ThreeIds << QStringList{"section3"}
            << "Edit Item" << " Item ID: 4" << " Items: 3" << " Edit Item" << modified << true << true << true << true;
        QTest::newRow("typing, then the next item") << ThreeIds << QStringList{"type", "next"}
            << "Item ID: 11" << " Item ID: 11" << " Items: 3" << browsing << modified << false << true << true << true;
        QTest::newRow("delete") << ThreeIds << QStringList{"delete"}
            << "Item ID: 11" << " Item ID: 11" << " Items: 2" << browsing << "" << false << true << true << true;
        QTest::newRow("delete the last item") << QList<qint64>{7} << QStringList{"delete"}
            << empty << " Empty" << " Items: 0" << browsing << "" << false << true << false << true;
        QTest::newRow("empty the set") << ThreeIds << QStringList{"empty"}
            << empty << " Empty" << " Items: 0" << browsing << "" << false << true << false << true;
        QTest::newRow("edit, then empty the set") << ThreeIds << QStringList{"edit", "empty"}
            << empty << " Empty" << " Items: 0" << browsing << modified << false << true << false << true;
        QTest::newRow("add, then reopen the window") << ThreeIds << QStringList{"add", "reopen"}
            << "Item ID: 4" << " Item ID: 4" << " Items: 3" << browsing << modified << false << true << true << true;
        QTest::newRow("edit, then reopen on an emptied set") << ThreeIds << QStringList{"edit", "empty", "reopen"}
            << empty << " Empty" << " Items: 0" << browsing << modified << false << true << false << true;
        // clang-format on
    }

    void theDisplayFollowsTheTableState()
    {
        QFETCH(QList<qint64>, ids);
        QFETCH(QStringList, steps);
        startProgram(ids);
        openSampler();
        for (const QString& step : steps) {
            perform(step);
            if (QTest::currentTestFailed())
                return;
        }
        verifyNoErrorShown();

        QTEST(header(), "headerText");
        QTEST(panel(1), "panel1");
        QTEST(panel(2), "panel2");
        QTEST(panel(3), "panel3");
        QTEST(panel(4), "panel4");
        QTEST(find<QPushButton>(QStringLiteral("BitBtn1"))->isEnabled(), "saveCancel");
        QTEST(find<QPushButton>(QStringLiteral("BitBtn2"))->isEnabled(), "saveCancel");
        QTEST(action("AddAct")->isEnabled(), "add");
        QTEST(find<QToolButton>(QStringLiteral("AddActButton"))->isEnabled(), "add");
        QTEST(action("EditAct")->isEnabled(), "editDelete");
        QTEST(action("DelAct")->isEnabled(), "editDelete");
        QTEST(itemList()->isEnabled(), "moving");
        QTEST(find<DBNavigator>(QStringLiteral("DBNavigator1"))->isEnabled(), "moving");
        QVERIFY(action("Emptyquestionset1")->isEnabled()); // in every state
    }

    void theWindowIsLaidOutAsDesigned()
    {
        startProgram(ThreeIds);
        openSampler();
        TSamplerForm* form = sampler();
        QCOMPARE(form->windowTitle(), QStringLiteral("Examora Test Sampler"));
        QCOMPARE(form->size(), QSize(646, 481));
        QCOMPARE(form->minimumSize(), QSize(646, 462));

        QStringList menus;
        for (QAction* menu : form->menuBar()->actions()) {
            QStringList entries;
            for (QAction* entry : menu->menu()->actions())
                entries.append(entry->isSeparator() ? QStringLiteral("-") : entry->text());
            menus.append(menu->text() + QStringLiteral(": ") + entries.join(QLatin1Char('|')));
        }
        QCOMPARE(menus, QStringList({"&File: E&xit",
                                     "&Items: &Add new item|&Edit item|&Delete Item|-|"
                                     "E&mpty question set",
                                     "&Help: A&bout"}));

        const char* commands[] = {"AddAct", "EditAct", "DelAct"};
        const char* captions[] = {"Add new item", "Edit item", "Delete Item"};
        for (int i = 0; i < 3; ++i) {
            auto* button = find<QToolButton>(QLatin1String(commands[i]) + QStringLiteral("Button"));
            QCOMPARE(button->size(), QSize(96, 39));
            QVERIFY(button->autoRaise());
            QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
            QVERIFY(!button->icon().isNull());
            QCOMPARE(button->text(), QLatin1String(captions[i]));
            QVERIFY(itemList()->actions().contains(action(commands[i]))); // the list's menu
        }
        QCOMPARE(itemList()->contextMenuPolicy(), Qt::ActionsContextMenu);
        QCOMPARE(itemList()->actions().size(), 3);

        QCOMPARE(itemList()->width(), 125);
        QCOMPARE(itemList()->indentation(), 25);
        QCOMPARE(find<QSplitter>(QStringLiteral("Splitter1"))->handleWidth(), 3);

        auto* label = find<OutlinedLabel>(QStringLiteral("fcLabel4"));
        QCOMPARE(label->font().family(), QStringLiteral("Verdana"));
        QVERIFY(label->font().bold());

        QStringList titles;
        for (int i = 0; i < pages()->count(); ++i)
            titles.append(pages()->tabText(i));
        QCOMPARE(titles, QStringList({"Test question", "Type, Section", "Responce choices",
                                      "Explanation"}));
        QCOMPARE(pages()->currentWidget(), find<QWidget>(QStringLiteral("TabSheet1")));
        QStringList hints;
        for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5"}) {
            auto* hint = find<QLabel>(QLatin1String(name));
            QCOMPARE(hint->textFormat(), Qt::PlainText);
            hints.append(hint->text());
        }
        QCOMPARE(hints, QStringList({"Enter the question text in the box bellow.",
                                     "Select item type:", "Select item section:",
                                     "Enter the responce choices and mark the correct choice(s).",
                                     "Enter the explanation text."}));

        QVERIFY(typeSelector()->isEditable());
        QCOMPARE(typeSelector()->count(), 2);
        QCOMPARE(typeSelector()->itemText(0), QStringLiteral("Single responce"));
        QCOMPARE(typeSelector()->itemText(1), QStringLiteral("Multiple responces"));
        QStringList sections;
        for (int i = 0; i < sectionList()->count(); ++i)
            sections.append(sectionList()->item(i)->text());
        QCOMPARE(sections, SectionTitles::all());
        showPage("TabSheet2");
        QCOMPARE(sectionList()->visualItemRect(sectionList()->item(1)).height(), 16);

        for (int k = 1; k <= 6; ++k) {
            QCOMPARE(find<DBCheckBox>(QStringLiteral("DBCheckBox%1").arg(k))->text(),
                     QString(QChar('a' + k - 1)) + QLatin1Char('.'));
            find<DBEdit>(QStringLiteral("DBEdit%1").arg(k + 1));
        }
        find<DBMemo>(QStringLiteral("DBMemo1"));
        find<DBMemo>(QStringLiteral("DBMemo2"));

        auto* save = find<QPushButton>(QStringLiteral("BitBtn1"));
        auto* cancel = find<QPushButton>(QStringLiteral("BitBtn2"));
        QCOMPARE(save->text(), QStringLiteral("Save"));
        QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        QVERIFY(save->isDefault());
        QCOMPARE(save->size(), QSize(85, 29));
        QCOMPARE(cancel->size(), QSize(85, 29));
        // Kept at the bottom right of the window, Save left of Cancel, above the status bar.
        const QRect cancelRect(cancel->mapTo(form, QPoint(0, 0)), cancel->size());
        const QRect saveRect(save->mapTo(form, QPoint(0, 0)), save->size());
        QVERIFY(saveRect.right() < cancelRect.left());
        QVERIFY(form->width() - cancelRect.right() < 20);
        QStatusBar* bar = form->statusBar();
        QCOMPARE(bar->objectName(), QStringLiteral("StatusBar1"));
        QCOMPARE(bar->height(), 24);
        QVERIFY(cancelRect.bottom() < bar->mapTo(form, QPoint(0, 0)).y());
        QVERIFY(bar->mapTo(form, QPoint(0, 0)).y() - cancelRect.bottom() < 20);

        const int widths[] = {70, 80, 100, 100};
        for (int n = 1; n <= 4; ++n) {
            auto* statusPanel = find<QLabel>(QStringLiteral("StatusPanel%1").arg(n));
            QCOMPARE(statusPanel->width(), widths[n - 1]);
            QCOMPARE(statusPanel->textFormat(), Qt::PlainText);
        }
        QVERIFY(Prompt::takeRecords().isEmpty());
    }

    void openingShowsTheFirstItemsTypeAndSection_data()
    {
        QTest::addColumn<QList<qint64>>("ids");
        QTest::addColumn<int>("sectionRow"); // -1: none selected
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("question");
        QTest::newRow("empty set") << QList<qint64>{} << -1 << "Single responce"
                                   << "";
        QTest::newRow("items") << ThreeIds << 1 << "Single responce"
                               << "Question 4";
        QTest::newRow("a multiple-response item first")
            << QList<qint64>{11, 12} << 1 << "Multiple responces"
            << "Question 11";
    }

    void openingShowsTheFirstItemsTypeAndSection()
    {
        QFETCH(QList<qint64>, ids);
        QFETCH(int, sectionRow);
        QFETCH(QString, type);
        QFETCH(QString, question);
        startProgram(ids);
        openSampler();
        QCOMPARE(sectionList()->selectedItems().size(), sectionRow < 0 ? 0 : 1);
        if (sectionRow >= 0)
            QCOMPARE(sectionList()->currentRow(), sectionRow);
        QCOMPARE(typeSelector()->currentText(), type);
        QCOMPARE(find<DBMemo>(QStringLiteral("DBMemo1"))->toPlainText(), question);
        QCOMPARE(pages()->currentWidget(), find<QWidget>(QStringLiteral("TabSheet1")));
    }

    void pickingAnItemShowsIt()
    {
        startProgram(ThreeIds);
        openSampler();
        QCOMPARE(nodes(), QStringList({"4", "11", "25"}));
        QCOMPARE(currentNode(), QStringLiteral("4"));
        QVERIFY(!navigatorButton("FirstButton")->isEnabled());
        QVERIFY(!navigatorButton("PriorButton")->isEnabled());
        QVERIFY(navigatorButton("NextButton")->isEnabled());
        QVERIFY(navigatorButton("LastButton")->isEnabled());

        // The second item is a multiple-response item of section 6.
        pickNode(QStringLiteral("11"));
        QCOMPARE(header(), QStringLiteral("Item ID: 11"));
        QCOMPARE(find<DBMemo>(QStringLiteral("DBMemo1"))->toPlainText(),
                 QStringLiteral("Question 11"));
        QCOMPARE(typeSelector()->currentText(), QStringLiteral("Multiple responces"));
        QCOMPARE(sectionList()->currentRow(), 5);
        showPage("TabSheet3");
        QCOMPARE(find<DBEdit>(QStringLiteral("DBEdit2"))->text(), QStringLiteral("yes"));
        QVERIFY(find<DBCheckBox>(QStringLiteral("DBCheckBox1"))->isChecked());
        QVERIFY(!find<DBCheckBox>(QStringLiteral("DBCheckBox2"))->isChecked());
        QVERIFY(navigatorButton("PriorButton")->isEnabled());
        QVERIFY(navigatorButton("NextButton")->isEnabled());

        QTest::mouseClick(navigatorButton("LastButton"), Qt::LeftButton);
        QCOMPARE(currentNode(), QStringLiteral("25"));
        QCOMPARE(panel(1), QStringLiteral(" Item ID: 25"));
        QCOMPARE(typeSelector()->currentText(), QStringLiteral("Multiple responces"));
        QCOMPARE(sectionList()->currentRow(), 2);
        QVERIFY(!navigatorButton("NextButton")->isEnabled());
        QVERIFY(!navigatorButton("LastButton")->isEnabled());
        QTest::mouseClick(navigatorButton("PriorButton"), Qt::LeftButton);
        QCOMPARE(currentNode(), QStringLiteral("11"));
        QTest::mouseClick(navigatorButton("FirstButton"), Qt::LeftButton);
        QCOMPARE(currentNode(), QStringLiteral("4"));
        QCOMPARE(header(), QStringLiteral("Item ID: 4"));

        // A deleted item leaves the list; a saved one joins it and becomes current.
        pickNode(QStringLiteral("11"));
        perform(QStringLiteral("delete"));
        QCOMPARE(nodes(), QStringList({"4", "25"}));
        QCOMPARE(currentNode(), QStringLiteral("25"));
        perform(QStringLiteral("add"));
        QCOMPARE(currentNode(), QString()); // the new item has no node yet
        perform(QStringLiteral("type"));
        perform(QStringLiteral("save"));
        QCOMPARE(nodes(), QStringList({"4", "25", "26"}));
        QCOMPARE(currentNode(), QStringLiteral("26"));
        verifyNoErrorShown();
    }

    void saveStoresEveryFieldOfANewItem()
    {
        startProgram({});
        openSampler();
        command("AddAct");
        // Question text is stored as typed: markup is text like any other.
        typeQuestion(QStringLiteral("If a < b and <b>c</b> > d, then?"));
        showPage("TabSheet2");
        QTest::keyClick(typeSelector(), Qt::Key_Down); // "Multiple responces"
        pickSection(5);
        showPage("TabSheet3");
        const QStringList choices = {"alpha", "beta", "gamma", "delta"};
        for (int k = 0; k < choices.size(); ++k)
            QTest::keyClicks(find<DBEdit>(QStringLiteral("DBEdit%1").arg(k + 2)), choices[k]);
        QTest::mouseClick(find<DBCheckBox>(QStringLiteral("DBCheckBox2")), Qt::LeftButton);
        QTest::mouseClick(find<DBCheckBox>(QStringLiteral("DBCheckBox4")), Qt::LeftButton);
        showPage("TabSheet4");
        QTest::keyClicks(find<DBMemo>(QStringLiteral("DBMemo2")), QStringLiteral("Because."));
        QVERIFY(storedIds().isEmpty()); // nothing stored before Save
        click(QStringLiteral("BitBtn1"));
        verifyNoErrorShown();

        QCOMPARE(storedIds(), QStringList({"1"}));
        QCOMPARE(stored(Field::QText, 1), QStringLiteral("If a < b and <b>c</b> > d, then?"));
        QCOMPARE(stored(Field::QType, 1), QStringLiteral("1"));
        QCOMPARE(stored(Field::QSect, 1), QStringLiteral("5"));
        QCOMPARE(stored(Field::QExpl, 1), QStringLiteral("Because."));
        for (int k = 1; k <= 6; ++k) {
            QCOMPARE(stored(Field::choice(k), 1), choices.value(k - 1));
            // An unchecked mark may be stored as false or left empty: both read as false.
            QCOMPARE(stored(Field::key(k), 1) == QLatin1String("1"), k == 2 || k == 4);
        }
        QCOMPARE(header(), QStringLiteral("Item ID: 1"));
        QCOMPARE(typeSelector()->currentText(), QStringLiteral("Multiple responces"));
        QCOMPARE(sectionList()->currentRow(), 4);
    }

    void aNewItemTakesTheTypeAndSectionShownBeforeAdd()
    {
        startProgram(ThreeIds);
        openSampler();
        pickNode(QStringLiteral("11")); // multiple response, section 6
        perform(QStringLiteral("add"));
        perform(QStringLiteral("type"));
        perform(QStringLiteral("save"));
        verifyNoErrorShown();
        QCOMPARE(stored(Field::QText, 26), QStringLiteral("typed"));
        QCOMPARE(stored(Field::QType, 26), QStringLiteral("1"));
        QCOMPARE(stored(Field::QSect, 26), QStringLiteral("6"));
        QCOMPARE(stored(Field::QText, 11), QStringLiteral("Question 11")); // untouched
    }

    void typeAndSectionAreWrittenOnlyBySave_data()
    {
        QTest::addColumn<bool>("changeType");
        QTest::addColumn<bool>("changeSection");
        QTest::addColumn<bool>("typeText");
        QTest::addColumn<bool>("byNavigator"); // else by the item list
        QTest::newRow("type, list") << true << false << false << false;
        QTest::newRow("section, list") << false << true << false << false;
        QTest::newRow("type and section, navigator") << true << true << false << true;
        QTest::newRow("section and text, list") << false << true << true << false;
        QTest::newRow("type and text, navigator") << true << false << true << true;
    }

    void typeAndSectionAreWrittenOnlyBySave()
    {
        QFETCH(bool, changeType);
        QFETCH(bool, changeSection);
        QFETCH(bool, typeText);
        QFETCH(bool, byNavigator);
        startProgram(ThreeIds);
        openSampler();
        const QString type = stored(Field::QType, 4);
        const QString section = stored(Field::QSect, 4);
        if (typeText)
            typeQuestion(QStringLiteral(" changed"));
        if (changeType) {
            showPage("TabSheet2");
            QTest::keyClick(typeSelector(), Qt::Key_Down);
            QCOMPARE(typeSelector()->currentText(), QStringLiteral("Multiple responces"));
        }
        if (changeSection)
            pickSection(7);
        QCOMPARE(table()->state(), Table::State::Edit);

        if (byNavigator)
            QTest::mouseClick(navigatorButton("NextButton"), Qt::LeftButton);
        else
            pickNode(QStringLiteral("11"));
        verifyNoErrorShown();
        QCOMPARE(header(), QStringLiteral("Item ID: 11"));

        QCOMPARE(stored(Field::QType, 4), type);
        QCOMPARE(stored(Field::QSect, 4), section);
        QCOMPARE(stored(Field::QText, 4),
                 typeText ? QStringLiteral(" changedQuestion 4") : QStringLiteral("Question 4"));
        // Back on the item, the selectors show what is stored.
        pickNode(QStringLiteral("4"));
        QCOMPARE(typeSelector()->currentText(), QStringLiteral("Single responce"));
        QCOMPARE(sectionList()->currentRow(), section.toInt() - 1);
    }

    void typedTypeTextDecidesTheTypeOnlyWhenItIsAnEntry_data()
    {
        QTest::addColumn<qint64>("id");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("storedType");
        // Item 4 is a single-response item, item 11 a multiple-response one.
        QTest::newRow("unknown text, single") << qint64(4) << "Something else"
                                              << "0";
        QTest::newRow("unknown text, multiple") << qint64(11) << "Something else"
                                                << "1";
        QTest::newRow("case differs") << qint64(11) << "single responce"
                                      << "1";
        QTest::newRow("empty text") << qint64(11) << ""
                                    << "1";
        QTest::newRow("first entry typed") << qint64(11) << "Single responce"
                                           << "0";
        QTest::newRow("second entry typed") << qint64(4) << "Multiple responces"
                                            << "1";
    }

    void typedTypeTextDecidesTheTypeOnlyWhenItIsAnEntry()
    {
        QFETCH(qint64, id);
        QFETCH(QString, typed);
        QFETCH(QString, storedType);
        startProgram(ThreeIds);
        openSampler();
        pickNode(QString::number(id));
        const QString section = stored(Field::QSect, id);
        typeIntoTypeSelector(typed);
        QCOMPARE(typeSelector()->currentText(), typed);
        QCOMPARE(table()->state(), Table::State::Edit); // typing is a change like any other
        click(QStringLiteral("BitBtn1"));
        verifyNoErrorShown();
        QCOMPARE(panel(4), QStringLiteral(" Saved"));
        QCOMPARE(stored(Field::QType, id), storedType);
        QCOMPARE(stored(Field::QSect, id), section);
    }

    void choiceEditorsEndTenPixelsBeforeTheRightEdge_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("resizedWhileHidden");
        QTest::newRow("design width") << 646 << false;
        QTest::newRow("wider") << 900 << false;
        QTest::newRow("wider while another page shows") << 1180 << true;
    }

    void choiceEditorsEndTenPixelsBeforeTheRightEdge()
    {
        QFETCH(int, width);
        QFETCH(bool, resizedWhileHidden);
        startProgram(ThreeIds);
        openSampler();
        if (!resizedWhileHidden)
            showPage("TabSheet3");
        sampler()->resize(width, 560);
        QTRY_COMPARE(sampler()->width(), width);
        showPage("TabSheet3");
        QCoreApplication::processEvents();

        auto* area = find<QScrollArea>(QStringLiteral("ScrollBox1"));
        QVERIFY(!area->verticalScrollBar()->isVisible());
        int previousTop = -1;
        for (int k = 1; k <= 6; ++k) {
            auto* edit = find<DBEdit>(QStringLiteral("DBEdit%1").arg(k + 1));
            const QRect rect(edit->mapTo(area, QPoint(0, 0)), edit->size());
            QCOMPARE(rect.left(), 44);
            QCOMPARE(rect.right() + 1, area->width() - 10);
            if (previousTop >= 0)
                QCOMPARE(rect.top() - previousTop, 36);
            previousTop = rect.top();
            auto* box = find<DBCheckBox>(QStringLiteral("DBCheckBox%1").arg(k));
            const QRect boxRect(box->mapTo(area, QPoint(0, 0)), box->size());
            QVERIFY(boxRect.right() < rect.left());
            QVERIFY(qAbs(boxRect.center().y() - rect.center().y()) <= 1);
        }
        auto* hint = find<QLabel>(QStringLiteral("Label4"));
        QCOMPARE(hint->mapTo(area, QPoint(0, 0)).x() * 2 + hint->width(), area->width());
        QVERIFY(hint->mapTo(area, QPoint(0, hint->height())).y() <= previousTop - 5 * 36);
    }

    void declinedPromptsChangeNothing_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("delete") << "DelAct" << int(Prompt::Kind::Confirmation)
                                << "Are you sure to delete this item?";
        QTest::newRow("empty the set")
            << "Emptyquestionset1" << int(Prompt::Kind::Warning)
            << "This action will erase all items in this question set!\nAre you sure?";
        QTest::newRow("exit") << "Exit1" << int(Prompt::Kind::Confirmation)
                              << "Are you sure to exit?";
    }

    void declinedPromptsChangeNothing()
    {
        QFETCH(QString, command);
        QFETCH(int, kind);
        QFETCH(QString, text);
        startProgram(ThreeIds);
        openSampler();
        typeQuestion(QStringLiteral("pending "));

        Prompt::setNextAnswers({QMessageBox::Cancel});
        find<QAction>(command)->trigger();
        const QList<Prompt::Record> records = Prompt::takeRecords();
        QCOMPARE(records.size(), 1);
        QCOMPARE(int(records[0].kind), kind);
        QCOMPARE(records[0].text, text);
        QCOMPARE(records[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);

        QVERIFY(sampler()->isVisible());
        QVERIFY(!program().MainForm->isVisible());
        QCOMPARE(table()->state(), Table::State::Edit);
        QVERIFY(!table()->exclusive());
        QCOMPARE(find<DBMemo>(QStringLiteral("DBMemo1"))->toPlainText(),
                 QStringLiteral("pending Question 4"));
        QCOMPARE(header(), QStringLiteral("Edit Item"));
        QCOMPARE(nodes(), QStringList({"4", "11", "25"}));
        QCOMPARE(storedIds(), QStringList({"4", "11", "25"}));
        QCOMPARE(stored(Field::QText, 4), QStringLiteral("Question 4"));

        // The pending edit is still the candidate's to save.
        click(QStringLiteral("BitBtn1"));
        verifyNoErrorShown();
        QCOMPARE(stored(Field::QText, 4), QStringLiteral("pending Question 4"));
    }

    void confirmedCommandsDoTheirWork_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("remaining");
        QTest::newRow("delete") << "DelAct" << QStringList{"11", "25"};
        QTest::newRow("empty the set") << "Emptyquestionset1" << QStringList{};
    }

    void confirmedCommandsDoTheirWork()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, remaining);
        startProgram(ThreeIds);
        openSampler();
        Prompt::setNextAnswers({QMessageBox::Ok});
        find<QAction>(command)->trigger();
        QCOMPARE(Prompt::takeRecords().size(), 1);
        QCOMPARE(nodes(), remaining);
        closeSampler(); // the emptied set is held exclusively until the window closes
        QCOMPARE(storedIds(), remaining);
    }

    void saveWithoutASectionIsRefused_data()
    {
        QTest::addColumn<bool>("byAdd"); // else by typing on the empty set
        QTest::newRow("add") << true;
        QTest::newRow("typing") << false;
    }

    void saveWithoutASectionIsRefused()
    {
        QFETCH(bool, byAdd);
        startProgram({});
        openSampler();
        activateSampler();
        if (byAdd)
            command("AddAct");
        typeQuestion(QStringLiteral("No section yet"));
        QCOMPARE(table()->state(), Table::State::Insert);
        QVERIFY(sectionList()->selectedItems().isEmpty());

        click(QStringLiteral("BitBtn1"));
        const QList<Prompt::Record> records = Prompt::takeRecords();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].kind, Prompt::Kind::Warning);
        QCOMPARE(records[0].text, QStringLiteral("Select the section of this item on the page "
                                                 "\"Type, Section\" before saving."));
        QCOMPARE(records[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(pages()->currentWidget(), find<QWidget>(QStringLiteral("TabSheet2")));
        QTRY_VERIFY(sectionList()->hasFocus());
        QCOMPARE(table()->state(), Table::State::Insert);
        QVERIFY(find<QPushButton>(QStringLiteral("BitBtn1"))->isEnabled());
        QCOMPARE(panel(4), QStringLiteral(" Modified"));
        QVERIFY(storedIds().isEmpty());

        // A new item cannot slip into the table by moving away either.
        QVERIFY(!itemList()->isEnabled());
        QVERIFY(!find<DBNavigator>(QStringLiteral("DBNavigator1"))->isEnabled());

        pickSection(2);
        click(QStringLiteral("BitBtn1"));
        verifyNoErrorShown();
        QCOMPARE(storedIds(), QStringList({"1"}));
        QCOMPARE(stored(Field::QSect, 1), QStringLiteral("2"));
        QCOMPARE(stored(Field::QText, 1), QStringLiteral("No section yet"));
        QCOMPARE(panel(4), QStringLiteral(" Saved"));
    }

    void enteringTheTypeSectionPageOnAnEmptySetStartsNothing()
    {
        startProgram({});
        openSampler();
        activateSampler();
        enterTheTypeSectionPageFromTheQuestion();
        QCOMPARE(table()->state(), Table::State::Browse);
        QVERIFY(sectionList()->selectedItems().isEmpty());
        QCOMPARE(header(), QStringLiteral("The question set is empty"));
        QVERIFY(!find<QPushButton>(QStringLiteral("BitBtn1"))->isEnabled());

        // A section the candidate picks with the keys is a choice, as a click is.
        QTest::keyClick(sectionList(), Qt::Key_Down);
        QCOMPARE(table()->state(), Table::State::Insert);
        QVERIFY(!sectionList()->selectedItems().isEmpty());
        verifyNoErrorShown();
    }

    void addWhileAnItemIsPendingStoresNothing_data()
    {
        QTest::addColumn<QList<qint64>>("ids");
        QTest::addColumn<int>("pending");
        QTest::newRow("typed on an empty set") << QList<qint64>{} << int(Table::State::Insert);
        QTest::newRow("typed into an item") << ThreeIds << int(Table::State::Edit);
        QTest::newRow("after Add") << ThreeIds << int(Table::State::Insert);
    }

    void addWhileAnItemIsPendingStoresNothing()
    {
        QFETCH(QList<qint64>, ids);
        QFETCH(int, pending);
        startProgram(ids);
        openSampler();
        activateSampler();
        const QStringList before = storedIds();
        const QString firstText = ids.isEmpty() ? QString() : stored(Field::QText, ids.first());
        if (QTest::currentDataTag() == QLatin1String("after Add"))
            command("AddAct");
        typeQuestion(QStringLiteral("pending"));
        QCOMPARE(int(table()->state()), pending);

        command("AddAct");
        verifyNoErrorShown();
        QCOMPARE(int(table()->state()), pending); // the same item, still being written
        QCOMPARE(storedIds(), before);
        if (!ids.isEmpty())
            QCOMPARE(stored(Field::QText, ids.first()), firstText);
        QCOMPARE(pages()->currentWidget(), find<QWidget>(QStringLiteral("TabSheet1")));
        QVERIFY(find<QPushButton>(QStringLiteral("BitBtn1"))->isEnabled());
        QVERIFY(!action("AddAct")->isEnabled());

        // Cancel drops it; only Save stores, and never without a section.
        click(QStringLiteral("BitBtn2"));
        QCOMPARE(storedIds(), before);
        const QStringList sections = FixtureBank::query(
            personalPath(), QStringLiteral("SELECT coalesce(Q_SECT, 0) FROM tsl4usr"));
        for (const QString& section : sections)
            QVERIFY2(section.toInt() >= 1 && section.toInt() <= 7, qPrintable(section));
    }

    void enterSavesAndEscapeCancels_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("storedText"); // Q1 of item 4 afterwards
        QTest::addColumn<int>("state");
        QTest::newRow("enter in a choice")
            << "DBEdit2" << int(Qt::Key_Return) << "yes!" << int(Table::State::Browse);
        QTest::newRow("keypad enter in a choice")
            << "DBEdit2" << int(Qt::Key_Enter) << "yes!" << int(Table::State::Browse);
        QTest::newRow("escape in a choice")
            << "DBEdit2" << int(Qt::Key_Escape) << "yes" << int(Table::State::Browse);
        // The memo keeps Enter for a new line.
        QTest::newRow("enter in the question")
            << "DBMemo1" << int(Qt::Key_Return) << "yes" << int(Table::State::Edit);
        QTest::newRow("escape in the question")
            << "DBMemo1" << int(Qt::Key_Escape) << "yes" << int(Table::State::Browse);
    }

    void enterSavesAndEscapeCancels()
    {
        QFETCH(QString, editor);
        QFETCH(int, key);
        QFETCH(QString, storedText);
        QFETCH(int, state);
        startProgram(ThreeIds);
        openSampler();
        activateSampler();
        showPage("TabSheet3");
        QTest::keyClicks(find<DBEdit>(QStringLiteral("DBEdit2")), QStringLiteral("!"));
        QWidget* target = find<QWidget>(editor);
        showPage(editor == QLatin1String("DBMemo1") ? "TabSheet1" : "TabSheet3");
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        verifyNoErrorShown();
        QCOMPARE(int(table()->state()), state);
        if (state == int(Table::State::Browse))
            QCOMPARE(panel(4),
                     storedText == QLatin1String("yes") ? QString() : QStringLiteral(" Saved"));
        QCOMPARE(stored(Field::choice(1), 4), storedText);
    }

    void focusEnteringTheTypeSectionPageGoesToTheSectionList()
    {
        startProgram(ThreeIds);
        openSampler();
        activateSampler();
        // Changing pages carries the focus into the new page, where the list takes it.
        enterTheTypeSectionPageFromTheQuestion();

        // From the page tabs by the keyboard.
        QTabBar* tabs = pages()->tabBar();
        tabs->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(tabs->hasFocus());
        QTest::keyClick(tabs, Qt::Key_Tab);
        QTRY_VERIFY(sectionList()->hasFocus());

        // A control that the candidate clicks keeps the focus.
        itemList()->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(itemList()->hasFocus());
        QLineEdit* typeText = typeSelector()->lineEdit();
        QTest::mouseClick(typeText, Qt::LeftButton, {}, QPoint(10, typeText->height() / 2));
        QVERIFY(!sectionList()->hasFocus());
        QVERIFY(typeSelector()->hasFocus());
    }

    void closingShowsTheStartWindowAndDropsPendingChanges_data()
    {
        QTest::addColumn<bool>("byExitCommand"); // else by closing the window
        QTest::addColumn<bool>("adding");        // else editing
        QTest::newRow("exit while editing") << true << false;
        QTest::newRow("close while adding") << false << true;
    }

    void closingShowsTheStartWindowAndDropsPendingChanges()
    {
        QFETCH(bool, byExitCommand);
        QFETCH(bool, adding);
        startProgram(ThreeIds);
        openSampler();
        if (adding)
            perform(QStringLiteral("add"));
        typeQuestion(QStringLiteral("unsaved"));
        if (adding)
            pickSection(1);

        Prompt::setNextAnswers({QMessageBox::Ok});
        if (byExitCommand)
            action("Exit1")->trigger();
        else
            QVERIFY(sampler()->close());
        const QList<Prompt::Record> records = Prompt::takeRecords();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].kind, Prompt::Kind::Confirmation);
        QCOMPARE(records[0].text, QStringLiteral("Are you sure to exit?"));
        QCOMPARE(records[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);

        QVERIFY(!sampler()->isVisible());
        QVERIFY(program().MainForm->isVisible());
        QVERIFY(!table()->isActive());
        QCOMPARE(storedIds(), QStringList({"4", "11", "25"}));
        QCOMPARE(stored(Field::QText, 4), QStringLiteral("Question 4"));

        openSampler();
        QCOMPARE(find<DBMemo>(QStringLiteral("DBMemo1"))->toPlainText(),
                 QStringLiteral("Question 4"));
        QCOMPARE(header(), QStringLiteral("Item ID: 4"));
        QVERIFY(Prompt::takeRecords().isEmpty());
    }

    void aFailedSaveKeepsTheItemPending_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<QString>("headerText");
        QTest::newRow("edited item") << false << "Edit Item";
        QTest::newRow("new item") << true << "Add new item";
    }

    void aFailedSaveKeepsTheItemPending()
    {
        QFETCH(bool, adding);
        QFETCH(QString, headerText);
        startProgram(ThreeIds);
        openSampler();
        perform(adding ? QStringLiteral("add") : QStringLiteral("edit"));
        typeQuestion(QStringLiteral("kept "));

        FileLock lock(personalPath(), FileLock::Kind::Everything);
        QVERIFY(lock.held());
        click(QStringLiteral("BitBtn1"));
        const QList<Prompt::Record> records = Prompt::takeRecords();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].kind, Prompt::Kind::Error);
        QVERIFY2(records[0].text.contains(Schemas::PersonalFile), qPrintable(records[0].text));
        QVERIFY2(records[0].text.contains(QStringLiteral("locked")), qPrintable(records[0].text));

        QCOMPARE(header(), headerText);
        QCOMPARE(panel(4), QStringLiteral(" Modified"));
        QVERIFY(find<QPushButton>(QStringLiteral("BitBtn1"))->isEnabled());
        QVERIFY(find<QPushButton>(QStringLiteral("BitBtn2"))->isEnabled());
        QVERIFY(!action("AddAct")->isEnabled());
        QCOMPARE(find<DBMemo>(QStringLiteral("DBMemo1"))->toPlainText(),
                 adding ? QStringLiteral("kept ") : QStringLiteral("kept Question 4"));

        lock.release();
        click(QStringLiteral("BitBtn1"));
        verifyNoErrorShown();
        QCOMPARE(panel(4), QStringLiteral(" Saved"));
        QVERIFY(action("AddAct")->isEnabled());
        const qint64 id = adding ? 26 : 4;
        QCOMPARE(stored(Field::QText, id),
                 adding ? QStringLiteral("kept ") : QStringLiteral("kept Question 4"));
    }

    void emptyingALockedSetReportsAndEmptiesNothing()
    {
        startProgram(ThreeIds);
        openSampler();
        FileLock lock(personalPath(), FileLock::Kind::Everything);
        QVERIFY(lock.held());
        Prompt::setNextAnswers({QMessageBox::Ok});
        action("Emptyquestionset1")->trigger();
        const QList<Prompt::Record> records = Prompt::takeRecords();
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[0].kind, Prompt::Kind::Warning);
        QCOMPARE(records[1].kind, Prompt::Kind::Error);
        QVERIFY2(records[1].text.contains(Schemas::PersonalFile), qPrintable(records[1].text));
        QVERIFY(!table()->isActive());
        QVERIFY(!find<DBMemo>(QStringLiteral("DBMemo1"))->isEnabled());
        lock.release();
        QCOMPARE(storedIds(), QStringList({"4", "11", "25"}));

        // The next opening works, exclusively from now on.
        closeSampler();
        openSampler();
        QVERIFY(table()->isActive());
        QVERIFY(table()->exclusive());
        QCOMPARE(header(), QStringLiteral("Item ID: 4"));
        QVERIFY(Prompt::takeRecords().isEmpty());
    }

    void aboutShowsTheAboutWindow()
    {
        startProgram(ThreeIds);
        openSampler();
        QString shown;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* about = qobject_cast<TAboutForm*>(modal)) {
                shown = about->metaObject()->className();
                about->reject();
            }
        });
        action("About1")->trigger();
        QCOMPARE(shown, QStringLiteral("TAboutForm"));
        QVERIFY(sampler()->isVisible());
    }

    void itemsWrittenInTheSamplerMakeTheUserExam()
    {
        startProgram({}); // no personal file yet
        openSampler();
        const QStringList texts = {"Which port does SSH use?", "Pick the editors."};
        for (int i = 0; i < texts.size(); ++i) {
            perform(QStringLiteral("add"));
            typeQuestion(texts[i]);
            pickSection(i + 3);
            showPage("TabSheet3");
            QTest::keyClicks(find<DBEdit>(QStringLiteral("DBEdit2")), QStringLiteral("22"));
            QTest::keyClicks(find<DBEdit>(QStringLiteral("DBEdit3")), QStringLiteral("23"));
            QTest::mouseClick(find<DBCheckBox>(QStringLiteral("DBCheckBox1")), Qt::LeftButton);
            perform(QStringLiteral("save"));
        }
        verifyNoErrorShown();
        QCOMPARE(nodes(), QStringList({"1", "2"}));
        closeSampler();
        QVERIFY(program().MainForm->isVisible());

        QTest::mouseClick(
            program().MainForm->findChild<ShapedButton*>(QStringLiteral("StartTestBtn")),
            Qt::LeftButton);
        TTestForm* testForm = program().TestForm;
        QVERIFY(QTest::qWaitForWindowExposed(testForm));
        m_driver->startExam([&] {
            QTest::mouseClick(m_driver->find<ShapedButton>(QStringLiteral("UserBtn")),
                              Qt::LeftButton);
        });
        verifyNoErrorShown();
        QCOMPARE(testForm->ExamTitle(), QStringLiteral("User Exam"));
        QCOMPARE(testForm->ItemCount(), 2);

        QSet<QString> seen;
        Table* exam = testForm->dtCurrentSet;
        for (int item = 1; item <= 2; ++item) {
            exam->setRecNo(item);
            const qint64 id = exam->fieldInt(Field::QOrNumber);
            QCOMPARE(m_driver->find<QLabel>(QStringLiteral("Label2"))->text(),
                     QStringLiteral("Item ID: %1").arg(id));
            QCOMPARE(m_driver->find<QLabel>(QStringLiteral("QText"))->text(),
                     texts.value(int(id) - 1));
            QCOMPARE(exam->fieldInt(Field::QSect), id + 2);
            QVERIFY(exam->fieldBool(Field::key(1)));
            seen.insert(QString::number(id));
        }
        QCOMPARE(seen, QSet<QString>({"1", "2"}));
    }
};

TESSALY_TEST_MAIN(TestSampler)
#include "tst_sampler.moc"
