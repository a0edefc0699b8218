#include "Prompt.h"

#include <QWidget>

namespace {

struct TestHook {
    bool active = false;
    QList<QMessageBox::StandardButton> answers;
    QList<Prompt::Record> records;
    std::function<void(const QString&)> whileShown;
};

TestHook& hook()
{
    static TestHook instance;
    return instance;
}

QMessageBox::Icon iconOf(Prompt::Kind kind)
{
    switch (kind) {
    case Prompt::Kind::Confirmation:
        return QMessageBox::Question;
    case Prompt::Kind::Warning:
        return QMessageBox::Warning;
    case Prompt::Kind::Information:
        return QMessageBox::Information;
    case Prompt::Kind::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QString titleOf(Prompt::Kind kind)
{
    switch (kind) {
    case Prompt::Kind::Confirmation:
        return QStringLiteral("Confirm");
    case Prompt::Kind::Warning:
        return QStringLiteral("Warning");
    case Prompt::Kind::Information:
        return QStringLiteral("Information");
    case Prompt::Kind::Error:
        return QStringLiteral("Error");
    }
    return QString();
}

// What closing the box without choosing means: the most cautious of its buttons.
QMessageBox::StandardButton escapeAnswer(QMessageBox::StandardButtons buttons)
{
    for (QMessageBox::StandardButton button :
         {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok}) {
        if (buttons.testFlag(button))
            return button;
    }
    return QMessageBox::NoButton;
}

} // namespace

QMessageBox::StandardButton Prompt::ask(QWidget* parent, Kind kind, const QString& text,
                                        QMessageBox::StandardButtons buttons)
{
    TestHook& test = hook();
    if (test.active) {
        // An unexpected prompt is answered with its cautious button, and the record shows it.
        QMessageBox::StandardButton answer =
            test.answers.isEmpty() ? escapeAnswer(buttons) : test.answers.takeFirst();
        test.records.append({kind, text, buttons, answer});
        // What happens while the box would be open: the timer's tick goes on, for one.
        if (test.whileShown) {
            const auto whileShown = test.whileShown;
            whileShown(text);
        }
        return answer;
    }

    QMessageBox box(iconOf(kind), titleOf(kind), text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(escapeAnswer(buttons));
    const int result = box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked)
        return escapeAnswer(buttons);
    const QMessageBox::StandardButton button = box.standardButton(clicked);
    return button == QMessageBox::NoButton ? QMessageBox::StandardButton(result) : button;
}

void Prompt::information(QWidget* parent, const QString& text)
{
    ask(parent, Kind::Information, text, QMessageBox::Ok);
}

void Prompt::error(QWidget* parent, const QString& text)
{
    ask(parent, Kind::Error, text, QMessageBox::Ok);
}

void Prompt::setNextAnswers(const QList<QMessageBox::StandardButton>& answers)
{
    TestHook& test = hook();
    test.active = true;
    test.answers = answers;
}

bool Prompt::testMode()
{
    return hook().active;
}

QList<Prompt::Record> Prompt::takeRecords()
{
    QList<Record> records = hook().records;
    hook().records.clear();
    return records;
}

void Prompt::setWhileShown(std::function<void(const QString&)> action)
{
    hook().whileShown = std::move(action);
}

void Prompt::resetTestMode()
{
    hook() = TestHook();
}
