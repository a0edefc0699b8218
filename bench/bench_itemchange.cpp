// Times one item change in the test window (the data change through the layout and the answer
// key) for a typical item and for one with a 5,000-character question, next to the bare cost of
// measuring the same texts with QFontMetrics at the same widths (the lower bound).

#include "ExamDriver.h"
#include "FieldNames.h"
#include "FontMapping.h"
#include "ShapedButton.h"
#include "TTestForm.h"
#include "Table.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QScrollArea>
#include <QTest>
#include <QTextStream>

#include <algorithm>

namespace {

constexpr int Rounds = 300;

FixtureItem typicalItem(int n)
{
    FixtureItem item;
    item.examNumber = 1;
    item.text = QStringLiteral("A web server fails to start after an upgrade. The journal shows "
                               "that the port is already in use by another process. Which "
                               "command shows which process listens on TCP port %1?")
                    .arg(8000 + n);
    item.choices = {QStringLiteral("ss -tlnp"), QStringLiteral("netstat -rn"),
                    QStringLiteral("ip route show table all"),
                    QStringLiteral("lsof -i UDP without any further arguments")};
    item.keys = {true, false, false, false};
    item.explanation = QStringLiteral("ss -t shows TCP sockets, -l listening ones, -n numeric "
                                      "ports and -p the owning process. ")
                           .repeated(4);
    return item;
}

// The texts an item change measures, at the widths the layout gives them.
double boundMicroseconds(const FixtureItem& item, const QFont& questionFont,
                         const QFont& answerFont, const QFont& explanationFont, int areaWidth,
                         int viewportWidth)
{
    QElapsedTimer clock;
    clock.start();
    for (int round = 0; round < Rounds; ++round) {
        const int flags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;
        QRect r = QFontMetrics(questionFont)
                      .boundingRect(QRect(0, 0, viewportWidth - 16, 1 << 20), flags, item.text);
        for (int i = 0; i < 6; ++i) {
            const QString text = item.choices.value(i, QStringLiteral(" "));
            r |= QFontMetrics(answerFont)
                     .boundingRect(QRect(0, 0, areaWidth - 110, 1 << 20), flags, text);
        }
        r |= QFontMetrics(explanationFont)
                 .boundingRect(QRect(0, 0, areaWidth - 38, 1 << 20), flags, item.explanation);
        if (r.isNull())
            return -1;
    }
    return clock.nsecsElapsed() / 1e3 / Rounds;
}

double changeMicroseconds(TTestForm* form, int target, int other)
{
    qint64 total = 0;
    QElapsedTimer clock;
    for (int round = 0; round < Rounds; ++round) {
        form->dtCurrentSet->setRecNo(other);
        clock.start();
        form->dtCurrentSet->setRecNo(target);
        total += clock.nsecsElapsed();
    }
    return total / 1e3 / Rounds;
}

int recordOf(TTestForm* form, int id)
{
    for (int k = 1; k <= form->dtCurrentSet->recordCount(); ++k) {
        form->dtCurrentSet->setRecNo(k);
        if (form->dtCurrentSet->fieldInt(Field::QOrNumber) == id)
            return k;
    }
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    prepareTestEnvironment();
    QApplication app(argc, argv);
    installFontSubstitutions();

    QVector<FixtureItem> bank = {typicalItem(1), typicalItem(2), typicalItem(3)};
    bank[2].text = QStringLiteral("word ").repeated(1000); // 5,000 characters
    ExamDriver driver(bank);
    driver.showTestWindow();
    TTestForm* form = driver.testForm();
    form->showNormal();
    form->resize(1024, 740);
    driver.startExam([&] {
        QTest::mouseClick(driver.find<ShapedButton>(QStringLiteral("fcShapeBtn1")), Qt::LeftButton);
    });
    QApplication::processEvents();

    const int typical = recordOf(form, 1);
    const int other = recordOf(form, 2);
    const int longItem = recordOf(form, 3);
    auto* area = driver.find<QScrollArea>(QStringLiteral("ScrollBox1"));
    const QFont questionFont = driver.find<QLabel>(QStringLiteral("QText"))->font();
    const QFont answerFont = area->font();
    const QFont explanationFont = driver.find<QLabel>(QStringLiteral("ExpText"))->font();

    QTextStream out(stdout);
    out << "Item change (mean of " << Rounds << " changes, window 1024 wide)\n";
    out << qSetFieldWidth(14) << "item"
        << "change us"
        << "bound us"
        << "ratio" << qSetFieldWidth(0) << '\n';
    const struct {
        const char* name;
        int record;
        int item;
    } cases[] = {{"typical", typical, 0}, {"5000 chars", longItem, 2}};
    for (const auto& c : cases) {
        const double change =
            changeMicroseconds(form, c.record, c.record == other ? typical : other);
        const double bound =
            boundMicroseconds(bank[c.item], questionFont, answerFont, explanationFont,
                              area->width(), area->viewport()->width());
        out << qSetFieldWidth(14) << c.name << QString::number(change, 'f', 1)
            << QString::number(bound, 'f', 1) << QString::number(change / bound, 'f', 2)
            << qSetFieldWidth(0) << '\n';
    }
    return 0;
}
