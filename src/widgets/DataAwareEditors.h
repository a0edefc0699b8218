#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

class DataSource;

// Editors bound to one field of a data source's current record. They show the field whenever
// the record changes (a hidden editor catches up when it is shown), and typing into them edits
// the record: a browsing table starts an edit by itself, as the data source's automatic edit
// says.
class DBMemo : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit DBMemo(QWidget* parent = nullptr);
    void bind(DataSource* source, const QString& field);

signals:
    // The candidate changed the text (not the record moving under it).
    void edited();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh(const QString& changedField);
    void store();

    DataSource* m_source = nullptr;
    QString m_field;
    bool m_refreshing = false;
};

class DBEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit DBEdit(QWidget* parent = nullptr);
    void bind(DataSource* source, const QString& field);

signals:
    void edited();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh(const QString& changedField);
    void store();

    DataSource* m_source = nullptr;
    QString m_field;
    bool m_refreshing = false;
};

class DBCheckBox : public QCheckBox {
    Q_OBJECT

public:
    explicit DBCheckBox(const QString& caption, QWidget* parent = nullptr);
    void bind(DataSource* source, const QString& field);

signals:
    void edited();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh(const QString& changedField);
    void store();

    DataSource* m_source = nullptr;
    QString m_field;
    bool m_refreshing = false;
};
