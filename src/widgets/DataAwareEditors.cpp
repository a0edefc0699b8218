#include "DataAwareEditors.h"

#include "DataSource.h"
#include "ErrorReport.h"
#include "Table.h"

namespace {

// Whether a data change concerns this editor: the whole record, or its own field.
bool concerns(const QString& changedField, const QString& field)
{
    return changedField.isEmpty() || changedField.compare(field, Qt::CaseInsensitive) == 0;
}

} // namespace

DBMemo::DBMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(this, &QPlainTextEdit::textChanged, this, &DBMemo::store);
}

void DBMemo::bind(DataSource* source, const QString& field)
{
    m_source = source;
    m_field = field;
    connect(source, &DataSource::dataChanged, this, &DBMemo::refresh);
    connect(source, &DataSource::stateChanged, this, [this] { refresh(QString()); });
    refresh(QString());
}

void DBMemo::showEvent(QShowEvent* event)
{
    QPlainTextEdit::showEvent(event);
    refresh(QString());
}

void DBMemo::refresh(const QString& changedField)
{
    if (m_refreshing || !m_source || !isVisible() || !concerns(changedField, m_field))
        return;
    Table* table = m_source->table();
    const QString value = table->isActive() ? table->fieldText(m_field) : QString();
    setEnabled(table->isActive());
    if (value == toPlainText())
        return;
    m_refreshing = true;
    setPlainText(value);
    m_refreshing = false;
}

void DBMemo::store()
{
    if (m_refreshing || !m_source)
        return;
    m_refreshing = true;
    const bool stored = reportErrors(this, [this] {
        if (m_source->startEdit())
            m_source->table()->setField(m_field, toPlainText());
    });
    m_refreshing = false;
    if (stored)
        emit edited();
}

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, &DBEdit::store);
}

void DBEdit::bind(DataSource* source, const QString& field)
{
    m_source = source;
    m_field = field;
    connect(source, &DataSource::dataChanged, this, &DBEdit::refresh);
    connect(source, &DataSource::stateChanged, this, [this] { refresh(QString()); });
    refresh(QString());
}

void DBEdit::showEvent(QShowEvent* event)
{
    QLineEdit::showEvent(event);
    refresh(QString());
}

void DBEdit::refresh(const QString& changedField)
{
    if (m_refreshing || !m_source || !isVisible() || !concerns(changedField, m_field))
        return;
    Table* table = m_source->table();
    const QString value = table->isActive() ? table->fieldText(m_field) : QString();
    setEnabled(table->isActive());
    if (value != text())
        setText(value);
}

void DBEdit::store()
{
    if (!m_source)
        return;
    m_refreshing = true;
    const bool stored = reportErrors(this, [this] {
        if (m_source->startEdit())
            m_source->table()->setField(m_field, text());
    });
    m_refreshing = false;
    if (stored)
        emit edited();
}

DBCheckBox::DBCheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent)
{
    connect(this, &QCheckBox::clicked, this, &DBCheckBox::store);
}

void DBCheckBox::bind(DataSource* source, const QString& field)
{
    m_source = source;
    m_field = field;
    connect(source, &DataSource::dataChanged, this, &DBCheckBox::refresh);
    connect(source, &DataSource::stateChanged, this, [this] { refresh(QString()); });
    refresh(QString());
}

void DBCheckBox::showEvent(QShowEvent* event)
{
    QCheckBox::showEvent(event);
    refresh(QString());
}

void DBCheckBox::refresh(const QString& changedField)
{
    if (m_refreshing || !m_source || !isVisible() || !concerns(changedField, m_field))
        return;
    Table* table = m_source->table();
    setEnabled(table->isActive());
    setChecked(table->isActive() && table->fieldBool(m_field));
}

void DBCheckBox::store()
{
    if (!m_source)
        return;
    m_refreshing = true;
    const bool stored = reportErrors(this, [this] {
        if (m_source->startEdit())
            m_source->table()->setField(m_field, isChecked());
    });
    m_refreshing = false;
    if (stored)
        emit edited();
}
