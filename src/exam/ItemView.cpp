#include "ItemView.h"

#include "ClickableLabel.h"
#include "FieldNames.h"
#include "Table.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>

namespace {

const QColor Aqua(0, 255, 255);

QLabel* wrappingLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// Sizes a word-wrapping label to its text at the label's current width.
void remeasure(QLabel* label)
{
    const QSize size = ItemView::measure(label->font(), label->text(), label->width());
    label->resize(size);
}

int bottomOf(const QWidget* widget)
{
    return widget->y() + widget->height();
}

int contentBottom(const ItemArea& area)
{
    int bottom = 0;
    for (const QWidget* child : area.content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden())
            bottom = std::max(bottom, bottomOf(child));
    }
    return bottom;
}

// Places every shown control for a viewport of `visibleWidth`, from the texts and the
// visibility LayoutItem gave them. The question panel, its rule and the calculator button span
// the visible width; the choices and the explanation wrap at the full width W less a margin
// that leaves room for a scroll bar. Everything below the question follows its height.
void placeAt(ItemArea& area, int visibleWidth)
{
    using namespace ItemView;
    const int W = area.ScrollBox1->width();

    // Question, and the blue rule right below it.
    area.QText->resize(std::max(1, visibleWidth - 16), area.QText->height());
    const int textHeight =
        measure(area.QText->font(), area.QText->text(), area.QText->width()).height();
    area.QText->resize(area.QText->width(), textHeight);
    area.QPanel->setGeometry(0, 0, visibleWidth, textHeight + 16);
    area.Shape1->setGeometry(0, area.QPanel->height(), visibleWidth, 1);

    // The exhibit row is reserved whether or not its buttons show.
    const int rowTop = area.QPanel->height() + 2;
    area.ExhBtnA->move(area.ExhBtnA->x(), rowTop);
    area.ExhBtnB->move(area.ExhBtnB->x(), rowTop);
    area.CalcButton->move(visibleWidth - area.CalcButton->width() - 1, rowTop);

    // The choices follow one another 15 pixels apart. Only shown choices take room, so a gap
    // in the choices leaves no empty space behind.
    int top = rowTop + area.ExhBtnA->height() + ChoiceGap;
    int anchorBottom = rowTop + area.ExhBtnA->height();
    for (int i = 0; i < 6; ++i) {
        ClickableLabel* label = area.ALabel[std::size_t(i)];
        label->resize(std::max(1, W - LabelLeft - 30), label->height());
        remeasure(label);
        if (label->isHidden())
            continue;
        label->move(LabelLeft, top);
        anchorBottom = bottomOf(label);
        top = anchorBottom + ChoiceGap;
    }
    // The controls of the item's kind stand beside their texts; the other kind keeps its place.
    for (int i = 0; i < 6; ++i) {
        const std::size_t n = std::size_t(i);
        for (QWidget* control : {static_cast<QWidget*>(area.RadioButton[n]),
                                 static_cast<QWidget*>(area.CheckBox[n])}) {
            if (!control->isHidden())
                control->move(control->x(), area.ALabel[n]->y());
        }
    }

    // The explanation, 40 pixels below the last choice; whether it shows is decided elsewhere.
    area.ExpText->setGeometry(area.ExpText->x(), anchorBottom + ExplanationGap,
                              std::max(1, W - area.ExpText->x() - 30), 1);
    remeasure(area.ExpText);
}

void setScrollBar(ItemArea& area, bool shown)
{
    const Qt::ScrollBarPolicy policy = shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (area.ScrollBox1->verticalScrollBarPolicy() == policy)
        return;
    area.ScrollBox1->setVerticalScrollBarPolicy(policy);
    // The viewport takes its new width now, not at the next layout pass.
    QEvent request(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(area.ScrollBox1, &request);
}

// Decides the scroll bar from the content's height, before anything is drawn, and lays the
// item out against the width the viewport has with that decision. Growing taller
// when narrower, content that overflows at the full width overflows without the bar's width
// too, so one decision holds.
void fitScrollArea(ItemArea& area)
{
    setScrollBar(area, false);
    placeAt(area, area.ScrollBox1->viewport()->width());
    const int needed = contentBottom(area) + ItemView::BottomSpace;
    const bool overflows = needed > area.ScrollBox1->viewport()->height();
    if (overflows) {
        setScrollBar(area, true);
        placeAt(area, area.ScrollBox1->viewport()->width());
    }
    // The content always ends 17 pixels below its lowest shown control.
    area.content->resize(area.ScrollBox1->viewport()->width(),
                         contentBottom(area) + ItemView::BottomSpace);
}

} // namespace

ItemRecord ItemRecord::fromCurrent(const Table& table)
{
    ItemRecord record;
    record.question = table.fieldText(Field::QText);
    record.explanation = table.fieldText(Field::QExpl);
    record.multiple = table.fieldBool(Field::QType);
    for (int i = 0; i < 6; ++i) {
        record.choices[std::size_t(i)] = table.fieldText(Field::choice(i + 1));
        record.keys[std::size_t(i)] = table.fieldBool(Field::key(i + 1));
    }
    record.hasExhibit1 = !table.fieldBytes(Field::Pict1).isEmpty();
    record.hasExhibit2 = !table.fieldBytes(Field::Pict2).isEmpty();
    return record;
}

void ItemArea::build(QScrollArea* scrollArea, QWidget* calcButton)
{
    ScrollBox1 = scrollArea;
    content = scrollArea->widget();

    QPanel = new QWidget(content);
    QPanel->setObjectName(QStringLiteral("QPanel"));
    QText = wrappingLabel(QStringLiteral("QText"), QPanel);
    QText->move(8, 8);

    Shape1 = new QFrame(content);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFixedHeight(1);
    Shape1->setAutoFillBackground(true);
    QPalette blue = Shape1->palette();
    blue.setColor(QPalette::Window, QColor(0, 0, 255));
    Shape1->setPalette(blue);

    ExhBtnA = new QPushButton(QStringLiteral("Exhibit &1"), content);
    ExhBtnA->setObjectName(QStringLiteral("ExhBtnA"));
    ExhBtnA->setGeometry(1, 0, 93, 25);
    ExhBtnB = new QPushButton(QStringLiteral("Exhibit &2"), content);
    ExhBtnB->setObjectName(QStringLiteral("ExhBtnB"));
    ExhBtnB->setGeometry(96, 0, 93, 25);

    CalcButton = calcButton;
    CalcButton->setParent(content);

    const QString letters = QStringLiteral("abcdef");
    for (int i = 0; i < 6; ++i) {
        const QString caption = QStringLiteral("&%1.").arg(letters[i]);
        auto* radio = new QRadioButton(caption, content);
        radio->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        radio->setGeometry(40, 0, 38, 17);
        radio->hide();
        RadioButton[std::size_t(i)] = radio;
    }
    for (int i = 0; i < 6; ++i) {
        auto* box = new QCheckBox(QStringLiteral("&%1.").arg(letters[i]), content);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
        box->setGeometry(40, 0, 38, 17);
        box->hide();
        CheckBox[std::size_t(i)] = box;
    }
    for (int i = 0; i < 6; ++i) {
        auto* label = new ClickableLabel(content);
        label->setObjectName(QStringLiteral("ALabel%1").arg(i + 1));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setBackground(Qt::white);
        label->setCursor(Qt::PointingHandCursor);
        label->move(ItemView::LabelLeft, 0);
        label->hide();
        ALabel[std::size_t(i)] = label;
    }
    ExpText = wrappingLabel(QStringLiteral("ExpText"), content);
    ExpText->move(8, 0);
    ExpText->hide();

    // Keyboard order: the answers first, then the question and the exhibits.
    QWidget* previous = RadioButton[0];
    for (int i = 1; i < 6; ++i) {
        QWidget::setTabOrder(previous, RadioButton[std::size_t(i)]);
        previous = RadioButton[std::size_t(i)];
    }
    for (QCheckBox* box : CheckBox) {
        QWidget::setTabOrder(previous, box);
        previous = box;
    }
    QWidget::setTabOrder(previous, ExhBtnA);
    QWidget::setTabOrder(ExhBtnA, ExhBtnB);
}

QSize ItemView::measure(const QFont& font, const QString& text, int width)
{
    const QFontMetrics metrics(font);
    // An empty text measures as a single blank: one line high.
    const QString measured = text.isEmpty() ? QStringLiteral(" ") : text;
    const QRect bounds =
        metrics.boundingRect(QRect(0, 0, std::max(1, width), INT_MAX / 4),
                             Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, measured);
    return QSize(std::max(bounds.width(), 1), std::max(bounds.height(), metrics.height()));
}

void ItemView::setAnswerControls(ItemArea& area, bool multiple, const ItemState& state)
{
    if (!multiple) {
        // A checked auto-exclusive radio button ignores being unchecked; exclusivity is lifted
        // while the six states are restored.
        for (QRadioButton* radio : area.RadioButton)
            radio->setAutoExclusive(false);
        for (int i = 0; i < 6; ++i)
            area.RadioButton[std::size_t(i)]->setChecked(state.Selected[std::size_t(i)] != 0);
        for (QRadioButton* radio : area.RadioButton)
            radio->setAutoExclusive(true);
    } else {
        for (int i = 0; i < 6; ++i)
            area.CheckBox[std::size_t(i)]->setChecked(state.Selected[std::size_t(i)] != 0);
    }
}

void ItemView::LayoutItem(ItemArea& area, const ItemRecord& record, const ItemState& state)
{
    // Drawn once, with the final geometry: no paint while the controls move.
    area.ScrollBox1->setUpdatesEnabled(false);
    area.ScrollBox1->verticalScrollBar()->setValue(0);
    area.content->show();

    // What shows: the question, the filled choices with the controls of the item's kind, the
    // exhibit buttons. A choice without text shows neither text nor control.
    area.QText->setText(record.question);
    for (int i = 0; i < 6; ++i) {
        const std::size_t n = std::size_t(i);
        const bool filled = !record.choices[n].isEmpty();
        area.ALabel[n]->setVisible(filled);
        if (filled)
            area.ALabel[n]->setText(record.choices[n]);
        area.RadioButton[n]->setVisible(filled && !record.multiple);
        area.CheckBox[n]->setVisible(filled && record.multiple);
    }
    area.ExhBtnA->setVisible(record.hasExhibit1);
    area.ExhBtnB->setVisible(record.hasExhibit2);
    area.ExpText->setText(record.explanation);

    fitScrollArea(area);

    setAnswerControls(area, record.multiple, state);
    area.MarkBox->setChecked(state.Marked != 0);

    area.ScrollBox1->verticalScrollBar()->setValue(0);
    area.ScrollBox1->setUpdatesEnabled(true);
    area.ScrollBox1->show(); // grading hides the area; the review's first item shows it again
}

void ItemView::ShowNoItem(ItemArea& area)
{
    // An exam without items: nothing to read and nothing to answer.
    area.content->hide();
    area.ScrollBox1->verticalScrollBar()->setValue(0);
    setScrollBar(area, false);
    area.MarkBox->setChecked(false);
    area.ScrollBox1->show();
}

void ItemView::ShowAnswerKey(ItemArea& area, const ItemRecord& record, const ItemState& state,
                             Mode mode)
{
    if (mode == Mode::Review) {
        RevealAnswer(area, record);
    } else if (mode == Mode::Exam) {
        area.ExpText->hide();
        for (ClickableLabel* label : area.ALabel)
            label->setBackground(Qt::white);
        fitScrollArea(area);
    }
    const bool correct = state.Correct == 1;
    area.CorrectLabel->setText(correct ? QStringLiteral("Correct") : QStringLiteral("Incorrect"));
    QPalette palette = area.CorrectLabel->palette();
    palette.setColor(QPalette::WindowText, correct ? QColor(0, 0, 255) : QColor(255, 0, 0));
    area.CorrectLabel->setPalette(palette);
}

void ItemView::RevealAnswer(ItemArea& area, const ItemRecord& record)
{
    area.ExpText->show();
    for (int i = 0; i < 6; ++i) {
        area.ALabel[std::size_t(i)]->setBackground(record.keys[std::size_t(i)] ? Aqua
                                                                               : QColor(Qt::white));
    }
    fitScrollArea(area);
}
