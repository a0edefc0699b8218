#include "MnemonicPriority.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

MnemonicPriority::MnemonicPriority(QWidget* window) : QObject(window), m_window(window)
{
    qApp->installEventFilter(this);
}

bool MnemonicPriority::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride || !m_window->isActiveWindow())
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::AltModifier || key->key() < Qt::Key_0 || key->key() > Qt::Key_Z)
        return QObject::eventFilter(watched, event);

    const QKeySequence pressed(QKeyCombination(Qt::AltModifier, Qt::Key(key->key())));
    for (QAbstractButton* button : m_window->findChildren<QAbstractButton*>()) {
        if (button->isVisible() && button->isEnabled() && button->window() == m_window &&
            QKeySequence::mnemonic(button->text()) == pressed) {
            event->accept(); // the shortcut map leaves the key alone
            button->animateClick();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
