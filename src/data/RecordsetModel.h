#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>

class DataControl;
class Recordset;

// A data control's records as a table for a grid: one column per listed
// field, numbers in their display format. Follows every requery and change.
class RecordsetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column
    {
        QString field;
        QString heading;
        bool grouped3 = false; // "#,###0.000"
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    };

    RecordsetModel(DataControl &control, QList<Column> columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                       int role) override;

    Recordset *recordset() const;
    const QList<Column> &columns() const { return m_columns; }

private:
    void attach(Recordset *recordset);
    void reset();

    DataControl &m_control;
    QList<Column> m_columns;
    QPointer<Recordset> m_recordset;
    QList<int> m_fieldIndexes;
};
