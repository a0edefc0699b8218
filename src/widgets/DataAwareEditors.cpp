#include "DataAwareEditors.h"

#include "DataSource.h"
#include "ErrorBoundary.h"
#include "Table.h"

void FieldLink::bind(QWidget* editor, DataSource* source, const QString& field, Show show)
{
    m_editor = editor;
    m_source = source;
    m_field = field;
    m_show = std::move(show);
    ErrorBoundary::connect(source, &DataSource::dataChanged, editor,
                           [this](const QString& changed) { refresh(changed); });
    ErrorBoundary::connect(source, &DataSource::stateChanged, editor, [this] { refresh(); });
    refresh();
}

void FieldLink::refresh(const QString& changedField)
{
    // Only the whole record, or this editor's own field, concerns it.
    const bool concerns =
        changedField.isEmpty() || changedField.compare(m_field, Qt::CaseInsensitive) == 0;
    if (m_busy || !m_source || !m_editor->isVisible() || !concerns)
        return;
    const Table* table = m_source->table();
    m_busy = true;
    m_show(table->isActive() ? table->fieldValue(m_field) : QVariant(), table->isActive());
    m_busy = false;
}

bool FieldLink::store(const QVariant& value)
{
    if (m_busy || !m_source)
        return false;
    m_busy = true;
    bool stored = false;
    reportErrors(m_editor, [&] {
        if (m_source->startEdit()) { // a closed table takes nothing
            m_source->table()->setField(m_field, value);
            stored = true;
        }
    });
    m_busy = false;
    return stored;
}

DBMemo::DBMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(this, &QPlainTextEdit::textChanged, this, &DBMemo::store);
}

void DBMemo::bind(DataSource* source, const QString& field)
{
    m_link.bind(this, source, field, [this](const QVariant& value, bool open) {
        setEnabled(open);
        if (value.toString() != toPlainText())
            setPlainText(value.toString());
    });
}

void DBMemo::showEvent(QShowEvent* event)
{
    QPlainTextEdit::showEvent(event);
    m_link.refresh();
}

void DBMemo::store()
{
    if (m_link.store(toPlainText()))
        emit edited();
}

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, &DBEdit::store);
}

void DBEdit::bind(DataSource* source, const QString& field)
{
    m_link.bind(this, source, field, [this](const QVariant& value, bool open) {
        setEnabled(open);
        if (value.toString() != text())
            setText(value.toString());
    });
}

void DBEdit::showEvent(QShowEvent* event)
{
    QLineEdit::showEvent(event);
    m_link.refresh();
}

void DBEdit::store()
{
    if (m_link.store(text()))
        emit edited();
}

DBCheckBox::DBCheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent)
{
    connect(this, &QCheckBox::clicked, this, &DBCheckBox::store);
}

DBCheckBox::DBCheckBox(QWidget* parent) : DBCheckBox(QString(), parent) {}

void DBCheckBox::bind(DataSource* source, const QString& field)
{
    m_link.bind(this, source, field, [this](const QVariant& value, bool open) {
        setEnabled(open);
        const QString text = value.toString().trimmed();
        setChecked(text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
                   text.toLongLong() != 0);
    });
}

void DBCheckBox::showEvent(QShowEvent* event)
{
    QCheckBox::showEvent(event);
    m_link.refresh();
}

void DBCheckBox::store()
{
    if (m_link.store(isChecked()))
        emit edited();
}
