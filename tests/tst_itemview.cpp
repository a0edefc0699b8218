#include "ClickableLabel.h"
#include "ExamDriver.h"
#include "ExhibitWindow.h"
#include "FieldNames.h"
#include "GuiTest.h"
#include "Prompt.h"
#include "ShapedButton.h"
#include "TTestForm.h"
#include "Table.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

// The item view: layout for any text length and width, answering, marking, navigation, Learn
// Now and review mode, on the real test window.
class TestItemView : public GuiTest {
    Q_OBJECT

private:
    enum Item { Short = 1, Wrapping, OnlySecondExhibit, BrokenExhibit, Gaps, Markup, Plain };

    static QVector<FixtureItem> bank()
    {
        QVector<FixtureItem> items(7);
        for (FixtureItem& item : items) {
            item.examNumber = 1;
            item.explanation = QStringLiteral("Because of the documented behaviour.");
        }
        items[Short - 1].text = QStringLiteral("Which command shows block devices?");
        items[Short - 1].choices = {QStringLiteral("lsblk"), QStringLiteral("lspci"),
                                    QStringLiteral("lsusb"), QStringLiteral("lscpu")};
        items[Short - 1].keys = {true, false, false, false};

        items[Wrapping - 1].text = QStringLiteral("A long question. ").repeated(40);
        items[Wrapping - 1].multiple = true;
        items[Wrapping - 1].choices = {QStringLiteral("one"),   QStringLiteral("two"),
                                       QStringLiteral("three"), QStringLiteral("four"),
                                       QStringLiteral("five"),  QStringLiteral("six")};
        items[Wrapping - 1].keys = {true, false, true, true, false, false};

        items[OnlySecondExhibit - 1].text = QStringLiteral("Refer to the exhibit.");
        items[OnlySecondExhibit - 1].choices = {QStringLiteral("x"), QStringLiteral("y"),
                                                QStringLiteral("z")};
        items[OnlySecondExhibit - 1].keys = {false, false, true};
        items[OnlySecondExhibit - 1].pict2 =
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"320\" height=\"140\">"
            "<rect width=\"320\" height=\"140\" fill=\"#1e1e1e\"/></svg>";

        items[BrokenExhibit - 1] = items[Short - 1];
        items[BrokenExhibit - 1].text = QStringLiteral("An exhibit that is no picture.");
        items[BrokenExhibit - 1].pict1 = "this is not an image";

        items[Gaps - 1].text = QStringLiteral("Choices with gaps.");
        items[Gaps - 1].choices = {
            QStringLiteral("first"), QString(), QStringLiteral("third"), QString(), QString(),
            QStringLiteral("sixth")};
        items[Gaps - 1].keys = {false, false, true, false, false, false};

        items[Markup - 1].text = QStringLiteral("<b>bold</b> if a < b and b > c & d");
        items[Markup - 1].choices = {QStringLiteral("&amp; <i>x</i>"), QStringLiteral("a&b"),
                                     QStringLiteral("<br>")};
        items[Markup - 1].keys = {false, true, false};
        items[Markup - 1].explanation = QStringLiteral("<p>Shown & kept</p>");

        items[Plain - 1] = items[Short - 1];
        items[Plain - 1].text = QStringLiteral("Another short one?");
        return items;
    }

    QLabel* label(int i) { return find<QLabel>(QStringLiteral("ALabel%1").arg(i)); }
    QRadioButton* radio(int i)
    {
        return find<QRadioButton>(QStringLiteral("RadioButton%1").arg(i));
    }
    QCheckBox* check(int i) { return find<QCheckBox>(QStringLiteral("CheckBox%1").arg(i)); }
    QScrollArea* area() { return find<QScrollArea>(QStringLiteral("ScrollBox1")); }
    QWidget* panel() { return find<QWidget>(QStringLiteral("QPanel")); }

    static int bottom(const QWidget* w) { return w->y() + w->height(); }

    // Makes the item that came from bank record `id` the current one.
    void goTo(int id)
    {
        Table* table = form()->dtCurrentSet;
        for (int k = 1; k <= table->recordCount(); ++k) {
            table->setRecNo(k);
            if (table->fieldInt(Field::QOrNumber) == id)
                return;
        }
        QFAIL("no such item in the exam");
    }

    ItemState& state() { return form()->currentItemState(); }

    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, 4)); }

private slots:
    void init()
    {
        GuiTest::init();
        m_driver = std::make_unique<ExamDriver>(bank());
        m_driver->showTestWindow();
        form()->showNormal();
        form()->resize(900, 700);
        m_driver->startExam([this] {
            QTest::mouseClick(find<ShapedButton>(QStringLiteral("fcShapeBtn1")), Qt::LeftButton);
        });
        QCOMPARE(form()->ItemCount(), 7);
    }

    void aShortItemIsLaidOutFromTheTop()
    {
        goTo(Short);
        const int W = area()->width();
        QLabel* question = find<QLabel>(QStringLiteral("QText"));
        QCOMPARE(question->text(), QStringLiteral("Which command shows block devices?"));
        QCOMPARE(panel()->y(), 0);
        QCOMPARE(panel()->height(), question->height() + 16);
        QCOMPARE(find<QWidget>(QStringLiteral("Shape1"))->y(), panel()->height());
        QCOMPARE(label(1)->y(), panel()->height() + 42);
        for (int i = 2; i <= 4; ++i)
            QCOMPARE(label(i)->y(), bottom(label(i - 1)) + 15);
        for (int i = 1; i <= 4; ++i) {
            QVERIFY(label(i)->isVisible());
            QCOMPARE(label(i)->x(), 80);
            QVERIFY(label(i)->width() <= W - 110);
            QVERIFY(radio(i)->isVisible());
            QCOMPARE(radio(i)->y(), label(i)->y());
            QVERIFY(!check(i)->isVisible());
        }
        for (int i = 5; i <= 6; ++i)
            QVERIFY(!label(i)->isVisible() && !radio(i)->isVisible() && !check(i)->isVisible());
        QLabel* explanation = find<QLabel>(QStringLiteral("ExpText"));
        QVERIFY(!explanation->isVisible());
        QCOMPARE(explanation->y(), bottom(label(4)) + 40);
        QVERIFY(explanation->width() <= W - 38);
        // No exhibits, and the content ends 17 pixels below the last choice.
        QVERIFY(!find<QPushButton>(QStringLiteral("ExhBtnA"))->isVisible());
        QVERIFY(!find<QPushButton>(QStringLiteral("ExhBtnB"))->isVisible());
        QCOMPARE(area()->widget()->height(), std::max(bottom(label(4)), bottom(radio(4))) + 17);
    }

    void aWrappingQuestionPushesEverythingDown()
    {
        goTo(Short);
        const int shortPanel = panel()->height();
        goTo(Wrapping);
        QLabel* question = find<QLabel>(QStringLiteral("QText"));
        QVERIFY(question->height() > 3 * QFontMetrics(question->font()).height());
        QVERIFY(panel()->height() > shortPanel);
        QCOMPARE(find<QWidget>(QStringLiteral("Shape1"))->y(), panel()->height());
        QCOMPARE(label(1)->y(), panel()->height() + 42);
        QCOMPARE(area()->verticalScrollBar()->value(), 0);
        // A multiple-response item shows check boxes only, even after a single-response item.
        for (int i = 1; i <= 6; ++i) {
            QVERIFY(check(i)->isVisible());
            QVERIFY(!radio(i)->isVisible());
            QCOMPARE(check(i)->y(), label(i)->y());
        }
    }

    void theExhibitRowIsReservedWithOrWithoutButtons()
    {
        goTo(OnlySecondExhibit);
        auto* first = find<QPushButton>(QStringLiteral("ExhBtnA"));
        auto* second = find<QPushButton>(QStringLiteral("ExhBtnB"));
        QVERIFY(!first->isVisible());
        QVERIFY(second->isVisible());
        QCOMPARE(second->x(), 96);
        QCOMPARE(second->y(), panel()->height() + 2);
        QCOMPARE(label(1)->y(), panel()->height() + 42);

        goTo(Short); // no exhibits at all
        QCOMPARE(label(1)->y(), panel()->height() + 42);
    }

    void anExhibitOpensAtItsNaturalSize()
    {
        goTo(OnlySecondExhibit);
        QSize shown;
        QString title;
        withModal<ExhibitWindow>(
            [this] { click(find<QPushButton>(QStringLiteral("ExhBtnB"))); },
            [&](ExhibitWindow* window) {
                title = window->windowTitle();
                shown =
                    window->findChild<QLabel*>(QStringLiteral("ExhibitPicture"))->pixmap().size();
                QTest::keyClick(window, Qt::Key_Escape);
            });
        QCOMPARE(title, QStringLiteral("Exhibit 2"));
        QCOMPARE(shown, QSize(320, 140));

        goTo(BrokenExhibit);
        QString message;
        withModal<ExhibitWindow>(
            [this] { click(find<QPushButton>(QStringLiteral("ExhBtnA"))); },
            [&](ExhibitWindow* window) {
                message = window->findChild<QLabel*>(QStringLiteral("ExhibitPicture"))->text();
                window->reject();
            });
        QVERIFY2(message.contains(QStringLiteral("cannot be shown")), qPrintable(message));
    }

    void narrowingTheWindowRewrapsTheTexts()
    {
        goTo(Wrapping);
        const int wideLabel = label(1)->y();
        const int wideHeight = panel()->height();
        form()->resize(740, 700);
        QTRY_VERIFY(panel()->height() > wideHeight);
        QVERIFY(label(1)->y() > wideLabel);
        QCOMPARE(label(1)->y(), panel()->height() + 42);
        QCOMPARE(area()->verticalScrollBar()->value(), 0);
        QVERIFY(label(1)->width() <= area()->width() - 110);
    }

    void gapsInTheChoicesLeaveNoEmptyRoom()
    {
        goTo(Wrapping); // long choice labels first, so that stale heights would show
        goTo(Gaps);
        QVERIFY(label(1)->isVisible() && label(3)->isVisible() && label(6)->isVisible());
        QVERIFY(!label(2)->isVisible() && !label(4)->isVisible() && !label(5)->isVisible());
        QCOMPARE(label(3)->y(), bottom(label(1)) + 15);
        QCOMPARE(label(6)->y(), bottom(label(3)) + 15);
        QCOMPARE(radio(3)->y(), label(3)->y());
        QCOMPARE(radio(6)->y(), label(6)->y());
        QLabel* explanation = find<QLabel>(QStringLiteral("ExpText"));
        QCOMPARE(explanation->y(), bottom(label(6)) + 40);
    }

    void textsAreShownExactlyAsWritten()
    {
        goTo(Markup);
        auto* question = find<QLabel>(QStringLiteral("QText"));
        QCOMPARE(question->textFormat(), Qt::PlainText);
        QCOMPARE(question->text(), QStringLiteral("<b>bold</b> if a < b and b > c & d"));
        QCOMPARE(label(1)->textFormat(), Qt::PlainText);
        QCOMPARE(label(1)->text(), QStringLiteral("&amp; <i>x</i>"));
        QCOMPARE(label(2)->text(), QStringLiteral("a&b"));
        auto* explanation = find<QLabel>(QStringLiteral("ExpText"));
        QCOMPARE(explanation->textFormat(), Qt::PlainText);
        QCOMPARE(explanation->text(), QStringLiteral("<p>Shown & kept</p>"));
        // A plain-text label is as wide as its characters, not as a rendered "bold".
        const QFontMetrics metrics(question->font());
        QVERIFY(question->height() >= metrics.height());
    }

    void aSingleResponseKeepsOnlyTheLastChoice()
    {
        goTo(Short);
        click(radio(2));
        QCOMPARE(state().Selected, (std::array<std::uint8_t, 6>{0, 1, 0, 0, 0, 0}));
        click(label(4)); // by its text
        QCOMPARE(state().Selected, (std::array<std::uint8_t, 6>{0, 0, 0, 1, 0, 0}));
        QVERIFY(radio(4)->isChecked() && !radio(2)->isChecked());
        QCOMPARE(state().Correct, 0);
        click(radio(4)); // again: nothing changes
        QCOMPARE(state().Selected, (std::array<std::uint8_t, 6>{0, 0, 0, 1, 0, 0}));
        click(label(1));
        QCOMPARE(state().Correct, 1);
    }

    void aMultipleResponseIsCorrectOnlyWithExactlyTheKey()
    {
        goTo(Wrapping); // key a, c, d
        click(check(1));
        click(label(3));
        QCOMPARE(state().Correct, 0);
        click(check(4));
        QCOMPARE(state().Correct, 1);
        click(label(2));
        QCOMPARE(state().Correct, 0);
        QVERIFY(check(2)->isChecked());
        click(label(2)); // a click on the text toggles
        QVERIFY(!check(2)->isChecked());
        QCOMPARE(state().Correct, 1);
    }

    void answersAndMarksSurviveNavigation()
    {
        goTo(Wrapping);
        const int itemNumber = form()->dtCurrentSet->recNo();
        click(check(2));
        click(check(5));
        auto* mark = find<QCheckBox>(QStringLiteral("MarkBox"));
        click(mark);
        QCOMPARE(state().Marked, 1);
        QCOMPARE(state().Correct, 0);
        const ItemState before = state();

        goTo(Short);
        QVERIFY(!mark->isChecked());
        QVERIFY(!radio(1)->isChecked() && !radio(2)->isChecked());
        form()->dtCurrentSet->setRecNo(itemNumber);
        QVERIFY(mark->isChecked());
        QVERIFY(check(2)->isChecked() && check(5)->isChecked() && !check(1)->isChecked());
        QCOMPARE(state().Selected, before.Selected);
        QCOMPARE(state().Correct, 0);
    }

    void showingItemsNeverChangesTheirState()
    {
        goTo(Short);
        click(label(2));
        goTo(Wrapping);
        click(check(1));
        click(find<QCheckBox>(QStringLiteral("MarkBox")));
        const std::vector<ItemState> before = m_driver->program().itemStates();
        auto same = [](const ItemState& a, const ItemState& b) {
            return a.Selected == b.Selected && a.Marked == b.Marked && a.Correct == b.Correct &&
                   a.Section == b.Section;
        };
        form()->dtCurrentSet->first();
        for (int k = 1; k < 7; ++k)
            QTest::mouseClick(find<QPushButton>(QStringLiteral("NextButton")), Qt::LeftButton);
        for (int k = 1; k < 7; ++k)
            QTest::mouseClick(find<QPushButton>(QStringLiteral("PrevButton")), Qt::LeftButton);
        form()->resize(800, 600);
        const std::vector<ItemState>& after = m_driver->program().itemStates();
        QCOMPARE(after.size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i)
            QVERIFY2(same(before[i], after[i]), qPrintable(QString::number(i + 1)));
    }

    void everyLayoutAllowsForTheScrollBar()
    {
        // A short item, a question taller than the area, and a short one whose explanation
        // overflows only once it shows.
        QVector<FixtureItem> items = bank().mid(0, 3);
        items[0] = bank()[Short - 1];
        items[1] = bank()[Short - 1];
        items[1].text = QStringLiteral("A question that goes on and on. ").repeated(120);
        items[2] = bank()[Short - 1];
        items[2].explanation = QStringLiteral("An explanation of many words. ").repeated(150);
        m_driver = std::make_unique<ExamDriver>(items);
        m_driver->showTestWindow();
        form()->showNormal();
        form()->resize(900, 600);
        m_driver->startExam([this] {
            QTest::mouseClick(find<ShapedButton>(QStringLiteral("fcShapeBtn1")), Qt::LeftButton);
        });
        QWidget* calc = find<QWidget>(QStringLiteral("CalcButton"));

        auto verifyFit = [&](const char* when, bool barExpected) {
            QScrollBar* bar = area()->verticalScrollBar();
            const int visible = area()->viewport()->width();
            QVERIFY2(bar->isVisible() == barExpected, when);
            QVERIFY2(bar->isVisible() ==
                         (area()->widget()->height() > area()->viewport()->height()),
                     when);
            QVERIFY2(visible == (barExpected ? area()->width() - bar->width() : area()->width()),
                     when);
            QVERIFY2(panel()->width() == visible, when);
            QVERIFY2(find<QWidget>(QStringLiteral("Shape1"))->width() == visible, when);
            QVERIFY2(area()->widget()->width() == visible, when);
            QVERIFY2(calc->x() + calc->width() == visible - 1, when);
            QLabel* question = find<QLabel>(QStringLiteral("QText"));
            QVERIFY2(question->x() + question->width() <= visible - 8, when);
            // Below the question, everything follows the height it has at this width.
            QVERIFY2(label(1)->y() == panel()->height() + 42, when);
            QVERIFY2(find<QWidget>(QStringLiteral("ExpText"))->y() == bottom(label(4)) + 40, when);
        };
        goTo(1);
        verifyFit("short item", false);
        goTo(2);
        verifyFit("long item after a short one", true);
        goTo(1);
        verifyFit("short item after a long one", false);
        form()->resize(800, 560);
        QTRY_VERIFY(area()->width() < 800);
        verifyFit("short item after a resize", false);
        goTo(3);
        verifyFit("long explanation, hidden", false);
        auto* learn = find<QPushButton>(QStringLiteral("LearnButton"));
        learn->show();
        QTest::mouseClick(learn, Qt::LeftButton);
        verifyFit("after Learn Now", true);
        goTo(1);
        verifyFit("short item after Learn Now", false);
    }

    void previousAndNextStopAtTheEnds()
    {
        auto* previous = find<QPushButton>(QStringLiteral("PrevButton"));
        auto* next = find<QPushButton>(QStringLiteral("NextButton"));
        auto* header = find<QWidget>(QStringLiteral("Label1"));
        QVERIFY(!previous->isEnabled() && next->isEnabled());
        QCOMPARE(header->property("text").toString(), QStringLiteral("Item 1 of 7"));
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(header->property("text").toString(), QStringLiteral("Item 2 of 7"));
        QVERIFY(previous->isEnabled());
        form()->dtCurrentSet->last();
        QVERIFY(!next->isEnabled());
        QCOMPARE(
            find<QLabel>(QStringLiteral("Label2"))->text(),
            QStringLiteral("Item ID: %1").arg(form()->dtCurrentSet->fieldInt(Field::QOrNumber)));
    }

    void learnNowLastsUntilTheItemChanges()
    {
        goTo(Wrapping);
        auto* explanation = find<QLabel>(QStringLiteral("ExpText"));
        auto* learn = find<QPushButton>(QStringLiteral("LearnButton"));
        learn->show(); // shown by the setting; the handler is what is tested here
        QTest::mouseClick(learn, Qt::LeftButton);
        QVERIFY(explanation->isVisible());
        const QColor aqua(0, 255, 255);
        const bool keys[] = {true, false, true, true, false, false};
        for (int i = 1; i <= 6; ++i)
            QCOMPARE(static_cast<ClickableLabel*>(label(i))->background(),
                     keys[i - 1] ? aqua : QColor(Qt::white));
        QCOMPARE(area()->widget()->height(), bottom(explanation) + 17);

        // A resize keeps the reveal; answering still counts.
        form()->resize(820, 650);
        QTRY_COMPARE(area()->width() < 820, true);
        QVERIFY(explanation->isVisible());
        click(check(1));
        click(check(3));
        click(check(4));
        QCOMPARE(state().Correct, 1);

        const int itemNumber = form()->dtCurrentSet->recNo();
        form()->dtCurrentSet->setRecNo(itemNumber == 1 ? 2 : 1);
        form()->dtCurrentSet->setRecNo(itemNumber);
        QVERIFY(!explanation->isVisible());
        QCOMPARE(static_cast<ClickableLabel*>(label(1))->background(), QColor(Qt::white));
        QVERIFY(check(1)->isChecked());
    }

    void reviewModeIgnoresEveryClick()
    {
        goTo(Short);
        click(label(2));
        goTo(Wrapping);
        click(check(1));
        const std::vector<ItemState> before = m_driver->program().itemStates();

        m_driver->gradeAndViewAnswers();
        goTo(Short);
        QVERIFY(find<QLabel>(QStringLiteral("ExpText"))->isVisible());
        QCOMPARE(find<QLabel>(QStringLiteral("CorrectLabel"))->text(), QStringLiteral("Incorrect"));
        click(radio(3));
        click(label(1));
        QVERIFY(radio(2)->isChecked() && !radio(3)->isChecked() && !radio(1)->isChecked());
        goTo(Wrapping);
        click(check(2));
        click(label(1));
        QVERIFY(check(1)->isChecked() && !check(2)->isChecked());
        goTo(Plain); // never answered: no radio button may end up checked
        click(radio(1));
        for (int i = 1; i <= 4; ++i)
            QVERIFY(!radio(i)->isChecked());

        const std::vector<ItemState>& after = m_driver->program().itemStates();
        for (std::size_t i = 0; i < before.size(); ++i) {
            QCOMPARE(after[i].Selected, before[i].Selected);
            QCOMPARE(after[i].Correct, before[i].Correct);
        }
    }
};

TESSALY_TEST_MAIN(TestItemView)
#include "tst_itemview.moc"
