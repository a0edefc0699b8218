#include "DataSource.h"

#include "Table.h"

DataSource::DataSource(Table* table, QObject* parent) : QObject(parent), m_table(table)
{
    connect(table, &Table::stateChanged, this, &DataSource::stateChanged);
    connect(table, &Table::dataChanged, this, &DataSource::dataChanged);
}

bool DataSource::startEdit()
{
    switch (m_table->state()) {
    case Table::State::Edit:
    case Table::State::Insert:
        return true;
    case Table::State::Browse:
        m_table->edit();
        return true;
    case Table::State::Inactive:
        return false;
    }
    return false;
}
