#pragma once

#include "data/RecordSource.h"
#include "data/Recordset.h"

#include <QObject>
#include <QPointer>
#include <memory>

class SqlDialect;
class StationDatabase;

// One data control of the main window: a database file, a record source and
// the recordset over them. `repositioned` follows every change of the
// current record (moves, requery, additions, deletions).
class DataControl : public QObject
{
    Q_OBJECT
public:
    explicit DataControl(const QString &name, QObject *parent = nullptr);
    ~DataControl() override;

    void bind(std::shared_ptr<StationDatabase> database, RecordSource source);
    void setRecordSource(RecordSource source);
    const RecordSource &recordSource() const { return m_source; }

    // The database file path (empty when unbound).
    QString databaseName() const;
    std::shared_ptr<StationDatabase> database() const { return m_database; }
    // The statements' texts for the engine the control is bound to.
    const SqlDialect &dialect() const;

    // Null until the first refresh, or when the database could not be opened.
    Recordset *recordset() const { return m_recordset.get(); }

    // Re-opens the recordset from the database and record source.
    bool refresh();

signals:
    void repositioned();
    void recordsetReplaced(Recordset *recordset);

private:
    std::shared_ptr<StationDatabase> m_database;
    RecordSource m_source;
    std::unique_ptr<Recordset> m_recordset;
};

// Re-opens the control's recordset, then moves to the last and back to the
// first record: afterwards the first record is current, or none if empty.
bool RefreshDataControl(DataControl &control);
