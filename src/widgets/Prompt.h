#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// The program's message boxes: a kind, a text (its lines separated by '\n') and a fixed set of
// buttons. Texts are always plain text.
//
// Tests call setNextAnswers() before acting: the next prompts are answered from that list
// without being shown, and every prompt's kind, text and buttons are recorded for assertions.
class Prompt {
public:
    enum class Kind { Confirmation, Warning, Information, Error };

    struct Record {
        Kind kind;
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton answer;
    };

    static QMessageBox::StandardButton ask(QWidget* parent, Kind kind, const QString& text,
                                           QMessageBox::StandardButtons buttons);

    // An information box with an OK button.
    static void information(QWidget* parent, const QString& text);
    // An error box with an OK button: how a failed operation is reported.
    static void error(QWidget* parent, const QString& text);

    // --- test hook ---
    // Answers the next prompts in order, without showing them, and starts recording.
    static void setNextAnswers(const QList<QMessageBox::StandardButton>& answers);
    static bool testMode();
    // The prompts recorded since the last call, oldest first.
    static QList<Record> takeRecords();
    // Runs `action` with the text of every prompt answered in test mode, before its answer
    // is returned: what happens while a real box is open (a timer tick, say).
    static void setWhileShown(std::function<void(const QString&)> action);
    // Leaves test mode and forgets answers, records and the action above.
    static void resetTestMode();
};
