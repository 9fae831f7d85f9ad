#include "data/DataControl.h"

#include "data/SqlDialect.h"
#include "data/StationDatabase.h"

DataControl::DataControl(const QString &name, QObject *parent)
    : QObject(parent)
{
    setObjectName(name);
}

DataControl::~DataControl() = default;

void DataControl::bind(std::shared_ptr<StationDatabase> database, RecordSource source)
{
    m_database = std::move(database);
    m_source = std::move(source);
    m_recordset.reset();
}

void DataControl::setRecordSource(RecordSource source)
{
    m_source = std::move(source);
}

const SqlDialect &DataControl::dialect() const
{
    return m_database ? SqlDialect::of(m_database->database()) : SqlDialect::sqlite();
}

QString DataControl::databaseName() const
{
    return m_database ? m_database->path() : QString();
}

bool DataControl::refresh()
{
    if (!m_database || !m_database->isOpen()) {
        m_recordset.reset();
        emit recordsetReplaced(nullptr);
        emit repositioned();
        return false;
    }
    const bool sameSource = m_recordset && m_recordset->source().sql == m_source.sql
                            && m_recordset->source().bindings == m_source.bindings;
    if (!sameSource) {
        m_recordset = std::make_unique<Recordset>(m_database->database(), m_source);
        connect(m_recordset.get(), &Recordset::currentChanged, this, &DataControl::repositioned);
        emit recordsetReplaced(m_recordset.get());
    }
    return m_recordset->requery();
}

bool RefreshDataControl(DataControl &control)
{
    // A requery leaves the first record current with the count complete,
    // which is what moving to the last and back to the first was for.
    return control.refresh();
}
