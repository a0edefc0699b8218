#pragma once

#include <QObject>

class DataSource;
class Session;
class Table;

// The data module: the personal question table that the Test Sampler edits, with its data
// source. The sampler connects its own handlers to the data source.
class TDM : public QObject {
    Q_OBJECT

public:
    explicit TDM(Session& session, QObject* parent = nullptr);

    Table* dtUserSet;
    DataSource* dsUserSet;
};
