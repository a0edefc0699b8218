#pragma once

#include "ItemState.h"

#include <QSize>
#include <QString>

#include <array>

class ClickableLabel;
class QFont;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QWidget;
class Table;

// What the item view shows of the current record.
struct ItemRecord {
    QString question;
    QString explanation;
    std::array<QString, 6> choices;
    std::array<bool, 6> keys{};
    bool multiple = false;
    bool hasExhibit1 = false;
    bool hasExhibit2 = false;

    static ItemRecord fromCurrent(const Table& table);
};

// The controls of the item area in the middle of the test window.
struct ItemArea {
    QScrollArea* ScrollBox1 = nullptr;
    QWidget* content = nullptr; // the scrolled surface that holds the controls below
    QWidget* QPanel = nullptr;
    QLabel* QText = nullptr;
    QFrame* Shape1 = nullptr;
    QPushButton* ExhBtnA = nullptr;
    QPushButton* ExhBtnB = nullptr;
    QWidget* CalcButton = nullptr;
    std::array<QRadioButton*, 6> RadioButton{};
    std::array<QCheckBox*, 6> CheckBox{};
    std::array<ClickableLabel*, 6> ALabel{};
    QLabel* ExpText = nullptr;
    // In the header, set from the item's state.
    QCheckBox* MarkBox = nullptr;
    QLabel* CorrectLabel = nullptr;

    // Creates the controls in `parent` (the scroll area's widget) with their fixed properties.
    void build(QScrollArea* scrollArea, QWidget* calcButton);
};

// Lays the item area out for one item: nothing has a fixed height, so every item change and
// every resize measures the texts again.
namespace ItemView {

constexpr int LabelLeft = 80;
constexpr int ChoiceGap = 15;
constexpr int ExplanationGap = 40;
constexpr int BottomSpace = 17;

// Question, rule, exhibit row, choices, explanation; then the answer controls from the state.
// The state itself is only read.
void LayoutItem(ItemArea& area, const ItemRecord& record, const ItemState& state);

// An exam without items: the area stays empty, with nothing to answer.
void ShowNoItem(ItemArea& area);

// Review mode shows the key and the explanation; exam mode hides them again.
enum class Mode { Home, Exam, Review };
void ShowAnswerKey(ItemArea& area, const ItemRecord& record, const ItemState& state, Mode mode);

// Learn Now: the explanation and the key, without touching any answer.
void RevealAnswer(ItemArea& area, const ItemRecord& record);

// Sets the radio buttons (single response) or check boxes (multiple response) to the stored
// selections; an unanswered single-response item shows no radio button checked.
void setAnswerControls(ItemArea& area, bool multiple, const ItemState& state);

// The height of a word-wrapped text at this width, as a label draws it.
QSize measure(const QFont& font, const QString& text, int width);

} // namespace ItemView
