#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <variant>
#include <vector>

class QWidget;

// The font the three item texts have by design; every stored font starts from it.
QFont designItemFont();

// One of the three item fonts: a name (empty keeps the design font's), a colour in the stored
// encoding (red in the low byte), a size in points, and the two styles that are stored. The font
// dialog's other styles are shown for the rest of the run and never stored.
struct FontSetting {
    QString name;
    int color = 0;
    int size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false; // not stored
    bool strikeOut = false; // not stored

    // The design font with this setting applied: bold and italic are added when set.
    QFont font() const;
    QColor textColor() const;
    // The setting that shows `font` in `color`.
    static FontSetting of(const QFont& font, const QColor& color);
};

// The candidate's preferences. The initial values are the defaults.
struct Settings {
    FontSetting question;
    FontSetting answer;
    FontSetting explanation{QString(), 8388608, 10, false, false}; // navy
    bool ShowLearnBtn = false;
    bool ShowCalcBtn = true;
    bool TimerOn = true;
    int DefaultTime = 90;
    QString CalcPath;
};

// One stored value: its key in the "Options" group and the field it holds. The field's type is
// how its text reads and is written: as it stands, as a decimal number, or as a flag "1"/"0".
struct SettingKey {
    using Field = std::variant<QString*, int*, bool*>;
    QString name;
    Field (*field)(Settings&);
};

// Every stored value, in the order in which the values have always been written.
const std::vector<SettingKey>& settingKeys();

// Colours are stored with red in the low byte, then green, then blue.
QColor colorFromStored(int stored);
int storedFromColor(const QColor& color);

// Gives a widget the setting's font and text colour.
void applyFontSetting(QWidget* widget, const FontSetting& setting);
