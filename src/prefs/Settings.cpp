#include "Settings.h"

#include "Look.h"

#include <QWidget>

namespace {

template <auto Member> SettingKey::Field field(Settings& settings)
{
    return &(settings.*Member);
}

template <auto Font, auto Member> SettingKey::Field fontField(Settings& settings)
{
    return &((settings.*Font).*Member);
}

} // namespace

QFont designItemFont()
{
    return QFont(QStringLiteral("MS Sans Serif"), 10);
}

QFont FontSetting::font() const
{
    QFont font = designItemFont();
    if (!name.isEmpty())
        font.setFamily(name);
    if (size > 0)
        font.setPointSize(size);
    if (bold)
        font.setBold(true);
    if (italic)
        font.setItalic(true);
    if (underline)
        font.setUnderline(true);
    if (strikeOut)
        font.setStrikeOut(true);
    return font;
}

QColor FontSetting::textColor() const
{
    return colorFromStored(color);
}

FontSetting FontSetting::of(const QFont& font, const QColor& color)
{
    FontSetting setting;
    setting.name = font.family();
    setting.color = storedFromColor(color);
    setting.size = font.pointSize() > 0 ? font.pointSize() : 10;
    setting.bold = font.bold();
    setting.italic = font.italic();
    setting.underline = font.underline();
    setting.strikeOut = font.strikeOut();
    return setting;
}

const std::vector<SettingKey>& settingKeys()
{
    using S = Settings;
    using F = FontSetting;
    static const std::vector<SettingKey> keys = {
        {QStringLiteral("QFontName"), fontField<&S::question, &F::name>},
        {QStringLiteral("QFontColor"), fontField<&S::question, &F::color>},
        {QStringLiteral("QFontSize"), fontField<&S::question, &F::size>},
        {QStringLiteral("DefaultTime"), field<&S::DefaultTime>},
        {QStringLiteral("QFontBold"), fontField<&S::question, &F::bold>},
        {QStringLiteral("QFontItalic"), fontField<&S::question, &F::italic>},
        {QStringLiteral("AFontName"), fontField<&S::answer, &F::name>},
        {QStringLiteral("AFontColor"), fontField<&S::answer, &F::color>},
        {QStringLiteral("AFontSize"), fontField<&S::answer, &F::size>},
        {QStringLiteral("AFontBold"), fontField<&S::answer, &F::bold>},
        {QStringLiteral("AFontItalic"), fontField<&S::answer, &F::italic>},
        {QStringLiteral("EXPFontName"), fontField<&S::explanation, &F::name>},
        {QStringLiteral("EXPFontColor"), fontField<&S::explanation, &F::color>},
        {QStringLiteral("EXPFontSize"), fontField<&S::explanation, &F::size>},
        {QStringLiteral("EXPFontBold"), fontField<&S::explanation, &F::bold>},
        {QStringLiteral("EXPFontItalic"), fontField<&S::explanation, &F::italic>},
        {QStringLiteral("ShowLearnBtn"), field<&S::ShowLearnBtn>},
        {QStringLiteral("TimerOn"), field<&S::TimerOn>},
        {QStringLiteral("ShowCalcBtn"), field<&S::ShowCalcBtn>},
        {QStringLiteral("CalcPath"), field<&S::CalcPath>},
    };
    return keys;
}

QColor colorFromStored(int stored)
{
    return QColor(stored & 0xFF, (stored >> 8) & 0xFF, (stored >> 16) & 0xFF);
}

int storedFromColor(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

void applyFontSetting(QWidget* widget, const FontSetting& setting)
{
    widget->setFont(setting.font());
    Look::setTextColor(widget, setting.textColor());
}
