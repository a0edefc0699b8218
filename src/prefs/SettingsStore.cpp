#include "SettingsStore.h"

#include "Look.h"

#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

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

int readInteger(const QSettings& settings, const QString& key, int fallback)
{
    return SettingsStore::parseDecimal(readText(settings, key, QString())).value_or(fallback);
}

bool readBool(const QSettings& settings, const QString& key, bool fallback)
{
    const std::optional<int> number = SettingsStore::parseDecimal(readText(settings, key, {}));
    return number ? *number != 0 : fallback;
}

FontSetting readFont(const QSettings& settings, const QString& prefix, const FontSetting& fallback)
{
    FontSetting font;
    font.name = readText(settings, prefix + QStringLiteral("FontName"), fallback.name);
    font.color = readInteger(settings, prefix + QStringLiteral("FontColor"), fallback.color);
    font.size = readInteger(settings, prefix + QStringLiteral("FontSize"), fallback.size);
    font.bold = readBool(settings, prefix + QStringLiteral("FontBold"), fallback.bold);
    font.italic = readBool(settings, prefix + QStringLiteral("FontItalic"), fallback.italic);
    return font;
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
    const Settings defaults;
    Settings loaded;
    m_settings->beginGroup(Group);
    loaded.question = readFont(*m_settings, QStringLiteral("Q"), defaults.question);
    loaded.answer = readFont(*m_settings, QStringLiteral("A"), defaults.answer);
    loaded.explanation = readFont(*m_settings, QStringLiteral("EXP"), defaults.explanation);
    loaded.ShowLearnBtn =
        readBool(*m_settings, QStringLiteral("ShowLearnBtn"), defaults.ShowLearnBtn);
    loaded.ShowCalcBtn = readBool(*m_settings, QStringLiteral("ShowCalcBtn"), defaults.ShowCalcBtn);
    loaded.TimerOn = readBool(*m_settings, QStringLiteral("TimerOn"), defaults.TimerOn);
    loaded.DefaultTime =
        readInteger(*m_settings, QStringLiteral("DefaultTime"), defaults.DefaultTime);
    loaded.CalcPath = readText(*m_settings, QStringLiteral("CalcPath"), defaultCalcPath);
    m_settings->endGroup();
    return loaded;
}

void SettingsStore::save(const Settings& settings)
{
    m_settings->beginGroup(Group);
    auto write = [this](const QString& key, const QString& value) {
        m_settings->setValue(key, value);
    };
    auto writeInt = [&write](const QString& key, int value) {
        write(key, QString::number(value));
    };
    // The order in which the values have always been written.
    write(QStringLiteral("QFontName"), settings.question.name);
    writeInt(QStringLiteral("QFontColor"), settings.question.color);
    writeInt(QStringLiteral("QFontSize"), settings.question.size);
    writeInt(QStringLiteral("DefaultTime"), settings.DefaultTime);
    write(QStringLiteral("QFontBold"), boolText(settings.question.bold));
    write(QStringLiteral("QFontItalic"), boolText(settings.question.italic));
    write(QStringLiteral("AFontName"), settings.answer.name);
    writeInt(QStringLiteral("AFontColor"), settings.answer.color);
    writeInt(QStringLiteral("AFontSize"), settings.answer.size);
    write(QStringLiteral("AFontBold"), boolText(settings.answer.bold));
    write(QStringLiteral("AFontItalic"), boolText(settings.answer.italic));
    write(QStringLiteral("EXPFontName"), settings.explanation.name);
    writeInt(QStringLiteral("EXPFontColor"), settings.explanation.color);
    writeInt(QStringLiteral("EXPFontSize"), settings.explanation.size);
    write(QStringLiteral("EXPFontBold"), boolText(settings.explanation.bold));
    write(QStringLiteral("EXPFontItalic"), boolText(settings.explanation.italic));
    write(QStringLiteral("ShowLearnBtn"), boolText(settings.ShowLearnBtn));
    write(QStringLiteral("TimerOn"), boolText(settings.TimerOn));
    write(QStringLiteral("ShowCalcBtn"), boolText(settings.ShowCalcBtn));
    write(QStringLiteral("CalcPath"), settings.CalcPath);
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

QColor colorFromStored(int stored)
{
    return QColor(stored & 0xFF, (stored >> 8) & 0xFF, (stored >> 16) & 0xFF);
}

int storedFromColor(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

void applyFontSetting(QWidget* widget, const QFont& designFont, const FontSetting& setting)
{
    QFont font = designFont;
    if (!setting.name.isEmpty())
        font.setFamily(setting.name);
    if (setting.size > 0)
        font.setPointSize(setting.size);
    if (setting.bold)
        font.setBold(true);
    if (setting.italic)
        font.setItalic(true);
    widget->setFont(font);
    Look::setTextColor(widget, colorFromStored(setting.color));
}

FontSetting fontSettingOf(const QFont& font, const QColor& color)
{
    FontSetting setting;
    setting.name = font.family();
    setting.color = storedFromColor(color);
    setting.size = font.pointSize() > 0 ? font.pointSize() : 10;
    setting.bold = font.bold();
    setting.italic = font.italic();
    return setting;
}
