#pragma once

#include "Settings.h"

#include <QString>

#include <memory>
#include <optional>

class QSettings;

// The settings of this user: the registry key "Tessaly 4" on Windows, the file
// "Tessaly 4.conf" in the user's configuration folder elsewhere; always in the group "Options"
// and always as text.
class SettingsStore {
public:
    SettingsStore();
    ~SettingsStore();

    // Reads every key of the key table; an absent value, or a number that is not a decimal
    // number, gives the default. `defaultCalcPath` is the default of "CalcPath".
    Settings load(const QString& defaultCalcPath) const;
    // Writes every key of the key table, in its order.
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
