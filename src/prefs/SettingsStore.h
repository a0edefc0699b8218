#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <memory>
#include <optional>

class QSettings;
class QWidget;

// One of the three item fonts as stored: a name (empty keeps the design font's), a colour in
// the stored encoding (red in the low byte), a size in points, and the two styles.
struct FontSetting {
    QString name;
    int color = 0;
    int size = 10;
    bool bold = false;
    bool italic = false;
};

// The candidate's preferences, with their defaults.
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

// The settings of this user: the registry key "Tessaly 4" on Windows, the file
// "Tessaly 4.conf" in the user's configuration folder elsewhere; always in the group "Options"
// and always as text.
class SettingsStore {
public:
    SettingsStore();
    ~SettingsStore();

    // Reads every key; an absent value, or a number that is not a decimal number, gives the
    // default. `defaultCalcPath` is the default of "CalcPath".
    Settings load(const QString& defaultCalcPath) const;
    // Writes all twenty values.
    void save(const Settings& settings);

    QString fileName() const;

    // The calculator started when nothing else is set: on Windows Calc.exe in the Windows
    // folder; elsewhere the first usual desktop calculator found on the search path.
    static QString defaultCalcPath(const QString& windowsDir);

    // A whole number written in decimal, or nothing.
    static std::optional<int> parseDecimal(const QString& text);

private:
    std::unique_ptr<QSettings> m_settings;
};

// Colours are stored with red in the low byte, then green, then blue.
QColor colorFromStored(int stored);
int storedFromColor(const QColor& color);

// Applies a stored font to a widget, starting from the widget's design font: the name replaces
// the design name unless empty, bold and italic are added when set, and the colour becomes the
// text colour.
void applyFontSetting(QWidget* widget, const QFont& designFont, const FontSetting& setting);
// The stored form of a widget's font and text colour.
FontSetting fontSettingOf(const QFont& font, const QColor& color);
