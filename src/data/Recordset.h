#pragma once

#include "data/RecordSource.h"

#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>
#include <vector>

// A navigable set of records with a current record, over one record source:
// first/last/next/previous, before-first and past-end, find first with a
// criteria text, add, edit, update, delete, fields by position and by name.
// The rows are read once per requery; changes are written through at once.
class QSqlError;

class Recordset : public QObject
{
    Q_OBJECT
public:
    enum class EditMode { None, Edit, Add };

    Recordset(const QSqlDatabase &db, RecordSource source, QObject *parent = nullptr);

    // Re-reads the rows; the current record becomes the first (none if empty).
    bool requery();

    bool isOpen() const { return m_open; }
    QString lastError() const { return m_lastError; }
    const RecordSource &source() const { return m_source; }

    int recordCount() const
    {
        ensureLoaded();
        return int(m_rows.size());
    }
    bool isBOF() const;
    bool isEOF() const;
    bool hasCurrent() const;
    int absolutePosition() const; // -1 with no current record

    bool moveFirst();
    bool moveLast();
    bool moveNext();
    bool movePrevious();
    bool moveTo(int position);

    // Makes the first record matching `criteria` current. With no match the
    // current record stays and noMatch() is true.
    bool findFirst(const QString &criteria);
    bool noMatch() const { return m_noMatch; }

    QStringList fieldNames() const
    {
        ensureLoaded();
        return m_fields;
    }
    int fieldCount() const { return int(fieldNames().size()); }
    int fieldIndex(const QString &name) const; // -1 when unknown

    // The current record's field, or the edit buffer while adding or editing.
    QVariant value(int field) const;
    QVariant value(const QString &field) const;
    // Any record's field, without moving (lists and grids read through this).
    QVariant valueAt(int position, int field) const;
    // One field of every record from `firstPosition` on, as texts (lists).
    QStringList columnTexts(int field, int firstPosition = 0) const;

    bool addNew();
    bool edit();
    bool setValue(int field, const QVariant &value);
    bool setValue(const QString &field, const QVariant &value);
    bool update();
    void cancelUpdate();
    EditMode editMode() const { return m_editMode; }

    // Deletes the current record; it stays "current" but gone until the next move.
    bool remove();

signals:
    void currentChanged();
    void rowsReset();
    void rowInserted(int position);
    void rowRemoved(int position);
    void rowChanged(int position);

private:
    struct Row
    {
        qint64 rowid = 0;
        QVariantList values;
    };

    bool fail(const QString &what, const QString &error);
    bool fail(const QString &what, const QSqlError &error);
    void ensureLoaded() const;
    void load();
    bool readRow(qint64 rowid, Row &row);
    void sortAlphabetically();
    void loadDefaults();
    const std::vector<QString> &foldedColumn(int field) const;
    // Positions of the records whose folded field starts with each character.
    const QHash<QChar, std::vector<int>> &leadingCharIndex(int field) const;
    void setPosition(int position);

    QSqlDatabase m_db;
    RecordSource m_source;
    bool m_open = false;
    bool m_loaded = true;
    QString m_lastError;
    QStringList m_fields;
    QVariantList m_defaults;
    std::vector<Row> m_rows;
    int m_position = -1; // -1 before first, size() past end
    bool m_currentDeleted = false;
    bool m_noMatch = false;

    EditMode m_editMode = EditMode::None;
    QVariantList m_buffer;
    std::vector<bool> m_touched;

    mutable QHash<int, std::vector<QString>> m_foldedColumns;
    mutable QHash<int, QHash<QChar, std::vector<int>>> m_leadingChars;
};
