#include "ChooserDialogs.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct TestHook {
    bool fontActive = false;
    std::optional<ColoredFont> font;
    bool programActive = false;
    QString program;
    bool saveActive = false;
    QString save;
};

TestHook& hook()
{
    static TestHook instance;
    return instance;
}

// The platform's font dialog has no colour; this one adds it below the font choices.
class FontAndColorDialog : public QDialog {
public:
    FontAndColorDialog(const ColoredFont& initial, QWidget* parent)
        : QDialog(parent), m_color(initial.color)
    {
        setWindowTitle(QStringLiteral("Font"));
        auto* layout = new QVBoxLayout(this);
        m_fonts = new QFontDialog(initial.font, this);
        m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
        m_fonts->setWindowFlags(Qt::Widget);
        layout->addWidget(m_fonts);
        m_colorButton = new QPushButton(this);
        layout->addWidget(m_colorButton);
        showColor();
        connect(m_colorButton, &QPushButton::clicked, this, [this] {
            const QColor chosen = QColorDialog::getColor(m_color, this, QStringLiteral("Colour"));
            if (chosen.isValid()) {
                m_color = chosen;
                showColor();
            }
        });
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout->addWidget(buttons);
    }

    ColoredFont chosen() const { return {m_fonts->currentFont(), m_color}; }

private:
    void showColor()
    {
        m_colorButton->setText(QStringLiteral("&Colour: %1").arg(m_color.name()));
        QPixmap swatch(16, 16);
        swatch.fill(m_color);
        m_colorButton->setIcon(QIcon(swatch));
    }

    QFontDialog* m_fonts;
    QPushButton* m_colorButton;
    QColor m_color;
};

} // namespace

std::optional<ColoredFont> ChooserDialogs::chooseFont(const ColoredFont& initial, QWidget* parent)
{
    if (hook().fontActive) {
        hook().fontActive = false;
        return hook().font;
    }
    FontAndColorDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

QString ChooserDialogs::chooseProgram(const QString& start, QWidget* parent)
{
    if (hook().programActive) {
        hook().programActive = false;
        return hook().program;
    }
#ifdef Q_OS_WIN
    const QString filter = QStringLiteral("Executable file (*.exe)");
#else
    const QString filter = QStringLiteral("Programs (*)");
#endif
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Calculator program"), start,
                                        filter);
}

QString ChooserDialogs::chooseFileToSave(const QString& caption, const QString& start,
                                         const QString& filter, QWidget* parent)
{
    if (hook().saveActive) {
        hook().saveActive = false;
        return hook().save;
    }
    return QFileDialog::getSaveFileName(parent, caption, start, filter);
}

void ChooserDialogs::setNextFileToSave(const QString& answer)
{
    hook().saveActive = true;
    hook().save = answer;
}

void ChooserDialogs::setNextFont(const std::optional<ColoredFont>& answer)
{
    hook().fontActive = true;
    hook().font = answer;
}

void ChooserDialogs::setNextProgram(const QString& answer)
{
    hook().programActive = true;
    hook().program = answer;
}

void ChooserDialogs::resetTestMode()
{
    hook() = TestHook();
}
