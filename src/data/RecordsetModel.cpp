#include "data/RecordsetModel.h"

#include "station/NumberText.h"
#include "data/DataControl.h"

RecordsetModel::RecordsetModel(DataControl &control, QList<Column> columns, QObject *parent)
    : QAbstractTableModel(parent)
    , m_control(control)
    , m_columns(std::move(columns))
{
    connect(&m_control, &DataControl::recordsetReplaced, this, &RecordsetModel::attach);
    attach(m_control.recordset());
}

Recordset *RecordsetModel::recordset() const
{
    return m_recordset;
}

void RecordsetModel::attach(Recordset *recordset)
{
    if (m_recordset)
        disconnect(m_recordset, nullptr, this, nullptr);
    m_recordset = recordset;
    if (m_recordset) {
        // The tables shown in grids hold an order's rows or a report's sums:
        // a few dozen rows, so every change simply resets the view.
        connect(m_recordset, &Recordset::rowsReset, this, &RecordsetModel::reset);
        connect(m_recordset, &Recordset::rowInserted, this, &RecordsetModel::reset);
        connect(m_recordset, &Recordset::rowRemoved, this, &RecordsetModel::reset);
        connect(m_recordset, &Recordset::rowChanged, this, &RecordsetModel::reset);
    }
    reset();
}

void RecordsetModel::reset()
{
    beginResetModel();
    m_fieldIndexes.clear();
    for (const Column &column : std::as_const(m_columns))
        m_fieldIndexes << (m_recordset ? m_recordset->fieldIndex(column.field) : -1);
    endResetModel();
}

int RecordsetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_recordset ? 0 : m_recordset->recordCount();
}

int RecordsetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant RecordsetModel::data(const QModelIndex &index, int role) const
{
    if (!m_recordset || !index.isValid())
        return {};
    const Column &column = m_columns[index.column()];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(column.alignment);
    if (role != Qt::DisplayRole)
        return {};
    const QVariant value = m_recordset->valueAt(index.row(), m_fieldIndexes.value(index.column(), -1));
    if (column.grouped3 && !value.isNull())
        return NumberText::grouped3(value.toDouble());
    return value;
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_columns[section].heading;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_columns[section].alignment);
    return {};
}

bool RecordsetModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                                   int role)
{
    if (orientation != Qt::Horizontal || role != Qt::EditRole || section < 0
        || section >= m_columns.size())
        return false;
    m_columns[section].heading = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}
