#include "SettingsStore.h"

#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

#include <type_traits>

namespace {

const QString Group = QStringLiteral("Options");

QString readText(const QSettings& settings, const QString& key, const QString& fallback)
{
    const QVariant value = settings.value(key);
    if (!value.isValid())
        return fallback;
    // A value with commas comes back from the native file format as a list; it was one text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

QString boolText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

SettingsStore::SettingsStore()
{
#ifdef Q_OS_WIN
    m_settings = std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Tessaly 4"),
                                             QSettings::NativeFormat);
#else
    m_settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("Tessaly 4"));
#endif
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::fileName() const
{
    return m_settings->fileName();
}

std::optional<int> SettingsStore::parseDecimal(const QString& text)
{
    static const QRegularExpression decimal(QStringLiteral(R"(^\s*[+-]?\d{1,10}\s*$)"));
    if (!decimal.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

Settings SettingsStore::load(const QString& defaultCalcPath) const
{
    Settings loaded;
    loaded.CalcPath = defaultCalcPath;
    m_settings->beginGroup(Group);
    for (const SettingKey& key : settingKeys()) {
        const QString text = readText(*m_settings, key.name, QString());
        std::visit(
            [&](auto* value) {
                using Value = std::remove_pointer_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, QString>) {
                    *value = readText(*m_settings, key.name, *value);
                } else if (const std::optional<int> number = parseDecimal(text)) {
                    if constexpr (std::is_same_v<Value, bool>)
                        *value = *number != 0;
                    else
                        *value = *number;
                }
            },
            key.field(loaded));
    }
    m_settings->endGroup();
    return loaded;
}

void SettingsStore::save(const Settings& settings)
{
    Settings written = settings;
    m_settings->beginGroup(Group);
    for (const SettingKey& key : settingKeys()) {
        std::visit(
            [&](auto* value) {
                using Value = std::remove_pointer_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, QString>)
                    m_settings->setValue(key.name, *value);
                else if constexpr (std::is_same_v<Value, bool>)
                    m_settings->setValue(key.name, boolText(*value));
                else
                    m_settings->setValue(key.name, QString::number(*value));
            },
            key.field(written));
    }
    m_settings->endGroup();
    m_settings->sync();
}

QString SettingsStore::defaultCalcPath(const QString& windowsDir)
{
#ifdef Q_OS_WIN
    return windowsDir + QStringLiteral("\\Calc.exe");
#else
    Q_UNUSED(windowsDir)
    const QStringList calculators = {
        QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
        QStringLiteral("galculator"),       QStringLiteral("mate-calc"),
        QStringLiteral("qalculate-gtk"),    QStringLiteral("qalculate-qt"),
        QStringLiteral("speedcrunch"),      QStringLiteral("xcalc"),
    };
    for (const QString& name : calculators) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return QString();
#endif
}
