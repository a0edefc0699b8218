#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVariant>

#include <functional>

class DataSource;

// The link of one editor to one field: it shows the field when the record changes while the
// editor is visible, and stores what the candidate enters, starting an edit when needed.
class FieldLink {
public:
    using Show = std::function<void(const QVariant& value, bool tableOpen)>;

    void bind(QWidget* editor, DataSource* source, const QString& field, Show show);
    // Shows the field now, unless the editor is hidden or is itself storing.
    void refresh(const QString& changedField = QString());
    // Stores a value the candidate entered; false when the table refused it (reported).
    bool store(const QVariant& value);

private:
    QWidget* m_editor = nullptr;
    DataSource* m_source = nullptr;
    QString m_field;
    Show m_show;
    bool m_busy = false;
};

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
    void store();

    FieldLink m_link;
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
    void store();

    FieldLink m_link;
};

class DBCheckBox : public QCheckBox {
    Q_OBJECT

public:
    explicit DBCheckBox(const QString& caption, QWidget* parent = nullptr);
    // As forms create their widgets: the caption comes later.
    explicit DBCheckBox(QWidget* parent = nullptr);
    void bind(DataSource* source, const QString& field);

signals:
    void edited();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void store();

    FieldLink m_link;
};
