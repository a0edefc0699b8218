#include "BarChart.h"
#include "ExamDriver.h"
#include "FieldNames.h"
#include "Grading.h"
#include "GuiTest.h"
#include "PdfReader.h"
#include "PrintDialog.h"
#include "Prompt.h"
#include "ReviewList.h"
#include "ScoreArithmetic.h"
#include "ScoreReport.h"
#include "ShapedButton.h"
#include "TNameForm.h"
#include "TReviewForm.h"
#include "TScoreForm.h"
#include "TTestForm.h"
#include "Table.h"
#include "TestMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <climits>

// Grading, the score window and its report, and the items review.
class TestGrading : public GuiTest {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    static ItemStates states(int correct, int items, int section = 1)
    {
        ItemStates result(static_cast<std::size_t>(items));
        for (int i = 0; i < items; ++i) {
            result[std::size_t(i)].Section = section;
            result[std::size_t(i)].Correct = i < correct ? 1 : 0;
        }
        return result;
    }

    void startAllQuestions()
    {
        m_driver->startExam(
            [this] {
                QTest::mouseClick(find<ShapedButton>(QStringLiteral("AllQBtn")), Qt::LeftButton);
            },
            [](TNameForm* dialog) {
                dialog->findChild<QLineEdit*>(QStringLiteral("NameEdit"))
                    ->setText(QStringLiteral("Robin"));
            });
    }

    // Answers the grading confirmation with OK and hands the score window to `inspect`.
    void gradeAndInspect(const std::function<void(TScoreForm*)>& inspect)
    {
        withModal<TScoreForm>(
            [this] {
                QTest::mouseClick(find<QPushButton>(QStringLiteral("GradeButton")), Qt::LeftButton);
            },
            inspect);
    }

private slots:
    void theScoreIsGradedUnroundedAndShownRoundedHalfToEven_data()
    {
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("items");
        QTest::addColumn<QString>("line");
        QTest::newRow("17 of 20") << 17 << 20 << "Your Score: 850   Grade: Pass";
        QTest::newRow("51 of 60, exactly 850") << 51 << 60 << "Your Score: 850   Grade: Pass";
        QTest::newRow("130 of 153, 849.67") << 130 << 153 << "Your Score: 850   Grade: Fail";
        QTest::newRow("1 of 16, 62.5") << 1 << 16 << "Your Score: 62   Grade: Fail";
        QTest::newRow("3 of 16, 187.5") << 3 << 16 << "Your Score: 188   Grade: Fail";
        QTest::newRow("none") << 0 << 10 << "Your Score: 0   Grade: Fail";
        QTest::newRow("all") << 12 << 12 << "Your Score: 1000   Grade: Pass";
    }

    void theScoreIsGradedUnroundedAndShownRoundedHalfToEven()
    {
        QFETCH(int, correct);
        QFETCH(int, items);
        QFETCH(QString, line);
        ScoreReportContent content;
        Grading::fillTotal(content, states(correct, items), QStringLiteral("Robin"),
                           QStringLiteral("Practice Exam A"));
        QCOMPARE(content.scoreLine, QStringLiteral("Passing Score: 850   ") + line);
        QCOMPARE(content.titleLine, QStringLiteral("Robin,  Tessaly 4,  Practice Exam A"));
        QCOMPARE(content.total.points.size(), 2);
        QCOMPARE(content.total.points[0].label, QStringLiteral("Your score"));
        QCOMPARE(content.total.points[0].value, 1000.0 * correct / items);
        QCOMPARE(content.total.points[0].color, QColor(0, 128, 0));
        QCOMPARE(content.total.points[1].label, QStringLiteral("Required score"));
        QCOMPARE(content.total.points[1].value, 850.0);
        QCOMPARE(content.total.points[1].color, QColor(0, 0, 255));
        QCOMPARE(content.total.maximum, 1000.0);
        QCOMPARE(content.total.step, 100.0);
    }

    void sectionPercentagesKeepExactHalves_data()
    {
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("percent");
        QTest::newRow("23 of 40, 57.5") << 23 << 40 << 58;
        QTest::newRow("109 of 200, 54.5") << 109 << 200 << 54;
        QTest::newRow("1 of 8, 12.5") << 1 << 8 << 12;
        QTest::newRow("3 of 8, 37.5") << 3 << 8 << 38;
        QTest::newRow("5 of 8, 62.5") << 5 << 8 << 62;
        QTest::newRow("2 of 3, 66.67") << 2 << 3 << 67;
    }

    void sectionPercentagesKeepExactHalves()
    {
        QFETCH(int, correct);
        QFETCH(int, items);
        QFETCH(int, percent);
        const QVector<ScoreArithmetic::SectionResult> results =
            ScoreArithmetic::sectionResults(states(correct, items, 4));
        QCOMPARE(results.size(), 7);
        QCOMPARE(results[3].section, 4); // listed from seven down to one
        QCOMPARE(results[3].percent, percent);
    }

    void aPrinterThatCannotBeOpenedIsReported()
    {
        m_driver = std::make_unique<ExamDriver>();
        m_driver->showTestWindow();
        startAllQuestions();
        const QString nowhere = m_dir.filePath(QStringLiteral("no-such-folder/report.pdf"));
        Prompt::setNextAnswers({QMessageBox::Ok});
        gradeAndInspect([&](TScoreForm* score) {
            Prompt::takeRecords();
            PrintDialog::setNextAnswers({{true, nowhere}});
            QTest::mouseClick(score->findChild<QPushButton*>(QStringLiteral("BitBtn2")),
                              Qt::LeftButton);
            const QList<Prompt::Record> records = Prompt::takeRecords();
            QCOMPARE(records.size(), 1);
            QCOMPARE(records[0].kind, Prompt::Kind::Error);
            QVERIFY2(records[0].text.contains(nowhere) &&
                         records[0].text.contains(QStringLiteral("nothing was printed")),
                     qPrintable(records[0].text));
            Prompt::setNextAnswers({QMessageBox::Yes});
            QTest::mouseClick(score->findChild<QPushButton*>(QStringLiteral("BitBtn3")),
                              Qt::LeftButton);
        });
        QCOMPARE(form()->ExamMode(), int(TTestForm::HomeMode));
    }

    void theReviewListDrawsGridLinesAndLightsTheEntryUnderTheMouse()
    {
        TReviewForm review;
        ItemStates items(6);
        review.fill(ReviewList::entries(items, false), false);
        review.show();
        QVERIFY(QTest::qWaitForWindowExposed(&review));
        auto* list = review.findChild<QListWidget*>(QStringLiteral("ListView1"));
        QVERIFY(list->viewport()->testAttribute(Qt::WA_Hover));
        QVERIFY(list->hasMouseTracking());
        QAbstractItemDelegate* delegate = list->itemDelegate();
        const QModelIndex index = list->model()->index(2, 0);

        auto paintCell = [&](QStyle::State extra) {
            QStyleOptionViewItem option;
            option.initFrom(list->viewport());
            option.rect = QRect(0, 0, 84, 22);
            option.state = QStyle::State_Enabled | extra;
            option.features |= QStyleOptionViewItem::HasDisplay;
            QImage image(84, 22, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            delegate->paint(&painter, option, index);
            return image;
        };
        const QImage plain = paintCell({});
        const QImage hovered = paintCell(QStyle::State_MouseOver);
        // Every cell ends in a grid line on its right and at its bottom.
        QCOMPARE(QColor(plain.pixel(83, 10)), QColor(192, 192, 192));
        QCOMPARE(QColor(plain.pixel(40, 21)), QColor(192, 192, 192));
        QCOMPARE(QColor(plain.pixel(80, 2)), QColor(Qt::white));
        QVERIFY(QColor(hovered.pixel(80, 2)) != QColor(Qt::white));
        QCOMPARE(delegate->sizeHint(QStyleOptionViewItem(), index), QSize(84, 22));
    }

    void sectionsAreCountedFromSevenDownToOne()
    {
        ItemStates all;
        auto add = [&all](int section, int correct, int items) {
            for (int i = 0; i < items; ++i) {
                ItemState state;
                state.Section = section;
                state.Correct = i < correct ? 1 : 0;
                all.push_back(state);
            }
        };
        add(1, 3, 5);
        add(2, 1, 8);
        add(3, 3, 8);
        add(4, 2, 3);
        add(5, 0, 4);
        add(7, 2, 2); // section 6 has no items
        ScoreReportContent content;
        Grading::fillSections(content, all);
        QStringList labels;
        QList<double> values;
        for (const BarChartModel::Point& point : content.sections.points) {
            labels.append(point.label);
            values.append(point.value);
            QCOMPARE(point.color, QColor(255, 0, 0));
        }
        QCOMPARE(labels,
                 (QStringList{QStringLiteral("Troubleshooting (2/2) "),
                              QStringLiteral("Monitoring and Optimization (0/0) "),
                              QStringLiteral("Running Applications (0/4) "),
                              QStringLiteral("Integration and Interoperability (2/3) "),
                              QStringLiteral("Configuring and Managing Resource Access (3/8) "),
                              QStringLiteral("Installation and Configuration (1/8) "),
                              QStringLiteral("Planning (3/5) ")}));
        QCOMPARE(values, (QList<double>{100, 0, 0, 67, 38, 12, 60}));
        QCOMPARE(content.sections.maximum, 100.0);
        QCOMPARE(content.sections.step, 10.0);
    }

    void sectionsOutsideOneToSevenNeverReachTheTally()
    {
        ItemStates odd = states(2, 2, 1);
        for (int section : {0, 8, 9, -5, INT_MAX, INT_MIN}) {
            ItemState state;
            state.Section = section;
            state.Correct = 1;
            odd.push_back(state);
        }
        const QVector<ScoreArithmetic::SectionResult> results =
            ScoreArithmetic::sectionResults(odd);
        QCOMPARE(results.size(), 7);
        int items = 0;
        for (const auto& result : results)
            items += result.items;
        QCOMPARE(items, 2);
        QCOMPARE(results.last().items, 2);                     // Planning
        QCOMPARE(ScoreArithmetic::totalScore(odd).correct, 8); // still in the total
    }

    void anExamWithoutItemsSaysItHasNoScore()
    {
        ScoreReportContent content;
        Grading::fillTotal(content, {}, QStringLiteral("Robin"), QStringLiteral("User Exam"));
        QCOMPARE(
            content.scoreLine,
            QStringLiteral("Passing Score: 850   This exam has no items, so it has no score."));
        QCOMPARE(content.total.points[0].value, 0.0);
        Grading::fillSections(content, {});
        for (const BarChartModel::Point& point : content.sections.points)
            QCOMPARE(point.value, 0.0);
    }

    void theReportPrintsOnOnePage()
    {
        ScoreReportContent content;
        ItemStates all = states(7, 10, 3);
        all.push_back(ItemState{{}, 0, 1, 1});
        Grading::fillTotal(content, all, QStringLiteral("Robin Candidate"),
                           QStringLiteral("Practice Exam C"));
        Grading::fillSections(content, all);
        const QString pdf = m_dir.filePath(QStringLiteral("score.pdf"));
        {
            QPdfWriter writer(pdf);
            writer.setResolution(300);
            ScoreReport::print(writer, content, QDate(2026, 12, 11));
        }
        QCOMPARE(PdfReader::pages(pdf), 1);
        const QString text = PdfReader::text(pdf);
        for (const QString& expected :
             {QStringLiteral("Robin Candidate, Tessaly 4, Practice Exam C"),
              QStringLiteral("Examination Score Report"), QStringLiteral("Examora"),
              QStringLiteral("Passing Score: 850 Your Score: 727 Grade: Fail"),
              QStringLiteral("Your score"), QStringLiteral("Required score"),
              QStringLiteral("Sections"), QStringLiteral("(7/10)"), QStringLiteral("(1/1)"),
              QStringLiteral("(0/0)"), QStringLiteral("Troubleshooting"),
              QLocale().toString(QDate(2026, 12, 11), QLocale::ShortFormat)}) {
            QString simplified = text.simplified();
            QVERIFY2(simplified.contains(expected), qPrintable(expected + "\n---\n" + text));
        }
    }

    void reviewCaptionsAndIconsFollowTheState()
    {
        ItemStates all(4);
        all[0].Selected = {1, 0, 1, 0, 0, 0}; // answered
        all[1].Marked = 1;                    // marked, unanswered
        all[2].Selected = {0, 1, 0, 0, 0, 1};
        all[2].Marked = 1;
        all[2].Correct = 1;
        const QVector<ReviewList::Entry> exam = ReviewList::entries(all, false);
        QCOMPARE(exam[0].caption, QStringLiteral("1  AC"));
        QCOMPARE(exam[0].icon, ReviewList::Complete);
        QCOMPARE(exam[1].caption, QStringLiteral("2  "));
        QCOMPARE(exam[1].icon, ReviewList::MarkedIcon);
        QCOMPARE(exam[2].caption, QStringLiteral("3  BF"));
        QCOMPARE(exam[2].icon, ReviewList::MarkedIcon);
        QCOMPARE(exam[3].icon, ReviewList::Incomplete);
        const QVector<ReviewList::Entry> review = ReviewList::entries(all, true);
        QCOMPARE(review[0].icon, ReviewList::Incorrect);
        QCOMPARE(review[1].icon, ReviewList::Incorrect);
        QCOMPARE(review[2].icon, ReviewList::Complete);
        QCOMPARE(review[3].icon, ReviewList::Incorrect);
        for (int icon = 0; icon < 4; ++icon)
            QCOMPARE(ReviewList::icon(ReviewList::Icon(icon)).pixmap(16, 16).size(), QSize(16, 16));
    }

    void theReviewIconsShowTheirMarksSharplyAtEveryDensity()
    {
        // A white square with a black frame on a grey shadow, each with its own mark.
        struct Case {
            ReviewList::Icon icon;
            QPoint mark;
            QColor color;
        };
        const QColor red(220, 0, 0);
        const Case cases[] = {
            {ReviewList::Incomplete, QPoint(6, 4), red},
            {ReviewList::Complete, QPoint(8, 7), QColor(0, 0, 230)},
            {ReviewList::MarkedIcon, QPoint(3, 6), red},
            {ReviewList::Incorrect, QPoint(7, 7), red},
        };
        for (const Case& c : cases) {
            const QIcon icon = ReviewList::icon(c.icon);
            QVERIFY(!icon.isNull());
            for (int ratio : {1, 2}) {
                const QPixmap pixmap = icon.pixmap(QSize(16, 16), ratio);
                // Drawn at the screen's density, not scaled up from a smaller picture.
                QCOMPARE(pixmap.size(), QSize(16, 16) * ratio);
                QCOMPARE(pixmap.devicePixelRatio(), qreal(ratio));
                const QImage image = pixmap.toImage();
                QCOMPARE(image.pixelColor(c.mark * ratio), c.color);
                QCOMPARE(image.pixelColor(QPoint(0, 7) * ratio), QColor(Qt::black));
                QCOMPARE(image.pixelColor(QPoint(2, 12) * ratio), QColor(Qt::white));
                QCOMPARE(image.pixelColor(QPoint(15, 15) * ratio), QColor(150, 150, 150));
                QCOMPARE(image.pixelColor(QPoint(15, 0) * ratio).alpha(), 0);
            }
        }
    }

    void gradingThroughTheWindows()
    {
        m_driver = std::make_unique<ExamDriver>();
        m_driver->showTestWindow();
        startAllQuestions();
        // Answer the first item correctly.
        Table* exam = form()->dtCurrentSet;
        for (int i = 1; i <= 6; ++i) {
            if (exam->fieldBool(Field::key(i))) {
                QTest::mouseClick(find<QWidget>(QStringLiteral("ALabel%1").arg(i)), Qt::LeftButton,
                                  {}, QPoint(3, 3));
            }
        }
        QCOMPARE(form()->currentItemState().Correct, 1);

        // Cancel keeps the exam running.
        Prompt::setNextAnswers({QMessageBox::Cancel});
        QTest::mouseClick(find<QPushButton>(QStringLiteral("GradeButton")), Qt::LeftButton);
        QList<Prompt::Record> records = Prompt::takeRecords();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].kind, Prompt::Kind::Confirmation);
        QCOMPARE(
            records[0].text,
            QStringLiteral("This will end your practice exam.\nAre you sure to end this exam?"));
        QCOMPARE(records[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(form()->ExamMode(), int(TTestForm::ExamModeValue));
        QVERIFY(form()->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());

        // OK grades: 1 of 54 correct is 18.5..., shown as 19.
        Prompt::setNextAnswers({QMessageBox::Ok});
        QString scoreLine;
        QString title;
        gradeAndInspect([&](TScoreForm* score) {
            scoreLine = score->findChild<QLabel*>(QStringLiteral("TotalLabel"))->text();
            title = score->findChild<BarChartWidget*>(QStringLiteral("TotalChart"))->model().title;
            QTest::mouseClick(score->findChild<QPushButton*>(QStringLiteral("BitBtn1")),
                              Qt::LeftButton);
        });
        QCOMPARE(scoreLine, QStringLiteral("Passing Score: 850   Your Score: 19   Grade: Fail"));
        QCOMPARE(title, QStringLiteral("Robin,  Tessaly 4,  All Questions"));
        QCOMPARE(Prompt::takeRecords().size(), 1); // the confirmation answered with OK
        QVERIFY(!form()->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());

        // View Answers: review mode at item 1.
        QCOMPARE(form()->ExamMode(), int(TTestForm::ReviewMode));
        QCOMPARE(form()->dtCurrentSet->recNo(), 1);
        QVERIFY(find<QWidget>(QStringLiteral("ScrollBox1"))->isVisible());
        QVERIFY(find<QLabel>(QStringLiteral("CorrectLabel"))->isVisible());
        QCOMPARE(find<QLabel>(QStringLiteral("CorrectLabel"))->text(), QStringLiteral("Correct"));
        QVERIFY(!find<QWidget>(QStringLiteral("MarkBox"))->isVisible());
        QVERIFY(!find<QPushButton>(QStringLiteral("LearnButton"))->isEnabled());
        QCOMPARE(find<QPushButton>(QStringLiteral("GradeButton"))->text(),
                 QStringLiteral("Score Report"));

        // "Score Report" shows the same results again, without grading anew.
        m_driver->program().itemStates()[1].Correct = 1;
        gradeAndInspect([&](TScoreForm* score) {
            scoreLine = score->findChild<QLabel*>(QStringLiteral("TotalLabel"))->text();
            PrintDialog::setNextAnswers({{false, {}}});
            QTest::mouseClick(score->findChild<QPushButton*>(QStringLiteral("BitBtn2")),
                              Qt::LeftButton);
            const QString pdf = m_dir.filePath(QStringLiteral("printed.pdf"));
            PrintDialog::setNextAnswers({{true, pdf}});
            QTest::mouseClick(score->findChild<QPushButton*>(QStringLiteral("BitBtn2")),
                              Qt::LeftButton);
            QVERIFY(QFile::exists(pdf));
            QVERIFY(score->isVisible()); // printing leaves the window open
            Prompt::setNextAnswers({QMessageBox::No, QMessageBox::Yes});
            QTest::mouseClick(score->findChild<QPushButton*>(QStringLiteral("BitBtn3")),
                              Qt::LeftButton);
            QVERIFY(score->isVisible());
            QTest::mouseClick(score->findChild<QPushButton*>(QStringLiteral("BitBtn3")),
                              Qt::LeftButton);
        });
        QCOMPARE(scoreLine, QStringLiteral("Passing Score: 850   Your Score: 19   Grade: Fail"));
        QCOMPARE(PrintDialog::timesShown(), 2);
        QCOMPARE(PdfReader::pages(m_dir.filePath(QStringLiteral("printed.pdf"))), 1);
        records = Prompt::takeRecords();
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[0].text, QStringLiteral("Are you sure you wish to end this exam?"));
        QCOMPARE(records[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(form()->ExamMode(), int(TTestForm::HomeMode));
    }

    void theItemsReviewGoesToTheChosenItem()
    {
        m_driver = std::make_unique<ExamDriver>();
        m_driver->showTestWindow();
        startAllQuestions();
        ItemStates& all = m_driver->program().itemStates();
        all[2].Selected = {1, 0, 1, 0, 0, 0};
        all[4].Marked = 1;

        auto openReview = [&](const std::function<void(TReviewForm*)>& act) {
            bool seen = false;
            QTimer::singleShot(0, [&] {
                auto* review = qobject_cast<TReviewForm*>(QApplication::activeModalWidget());
                QVERIFY(review);
                seen = true;
                act(review);
            });
            QTest::mouseClick(find<QPushButton>(QStringLiteral("Button1")), Qt::LeftButton);
            QVERIFY(seen);
        };

        openReview([&](TReviewForm* review) {
            auto* list = review->findChild<QListWidget*>(QStringLiteral("ListView1"));
            auto* go = review->findChild<QPushButton*>(QStringLiteral("BitBtn2"));
            QCOMPARE(list->count(), 54);
            QCOMPARE(list->item(2)->text(), QStringLiteral("3  AC"));
            QCOMPARE(list->item(0)->text(), QStringLiteral("1  "));
            QVERIFY(review->findChild<QWidget*>(QStringLiteral("ExamLegend"))->isVisible());
            QVERIFY(!review->findChild<QWidget*>(QStringLiteral("ReviewLegend"))->isVisible());
            QVERIFY(!go->isEnabled());
            go->click(); // disabled: neither fails nor moves the exam
            list->setCurrentRow(11);
            QVERIFY(go->isEnabled());
            list->clearSelection();
            QVERIFY(!go->isEnabled());
            list->setCurrentRow(11);
            QTest::mouseClick(go, Qt::LeftButton);
        });
        QCOMPARE(form()->dtCurrentSet->recNo(), 12);
        QCOMPARE(find<QWidget>(QStringLiteral("Label1"))->property("text").toString(),
                 QStringLiteral("Item 12 of 54"));

        openReview([&](TReviewForm* review) {
            auto* list = review->findChild<QListWidget*>(QStringLiteral("ListView1"));
            QVERIFY(!review->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->isEnabled());
            const QRect entry = list->visualItemRect(list->item(4));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, entry.center());
        });
        QCOMPARE(form()->dtCurrentSet->recNo(), 5);

        openReview([&](TReviewForm* review) {
            auto* list = review->findChild<QListWidget*>(QStringLiteral("ListView1"));
            list->setCurrentRow(30);
            QTest::mouseClick(review->findChild<QPushButton*>(QStringLiteral("BitBtn1")),
                              Qt::LeftButton);
        });
        QCOMPARE(form()->dtCurrentSet->recNo(), 5); // Return keeps the current item
    }
};

TESSALY_TEST_MAIN(TestGrading)
#include "tst_grading.moc"
