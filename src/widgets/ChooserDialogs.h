#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>

#include <optional>

class QWidget;

// A font with its colour, as the item texts use them.
struct ColoredFont {
    QFont font;
    QColor color;
};

// The font and file choosers in front of the options. Tests answer them without showing them.
class ChooserDialogs {
public:
    // Shows a font chooser (with a colour) starting from `initial`; returns the choice or
    // nothing when cancelled.
    static std::optional<ColoredFont> chooseFont(const ColoredFont& initial, QWidget* parent);
    // Shows a file chooser; returns the chosen file's full path, or an empty text.
    static QString chooseProgram(const QString& start, QWidget* parent);
    // Shows a file chooser for a file to write, with `caption` and the name `filter`s;
    // returns the chosen full path, or an empty text.
    static QString chooseFileToSave(const QString& caption, const QString& start,
                                    const QString& filter, QWidget* parent);

    // --- test hooks ---
    static void setNextFont(const std::optional<ColoredFont>& answer);
    static void setNextProgram(const QString& answer);
    static void setNextFileToSave(const QString& answer);
    static void resetTestMode();
};
