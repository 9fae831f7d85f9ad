#include "ui_support/DataGrid.h"

#include "data/DataControl.h"
#include "data/RecordsetModel.h"

#include <QHeaderView>

using namespace Qt::StringLiterals;

DataGrid::DataGrid(DataControl &control, const QString &name, QWidget *parent)
    : QTableView(parent)
    , m_control(control)
{
    setObjectName(name);
    m_model = new RecordsetModel(
        control,
        {{u"Ürün"_s, u"Ürün"_s, false, Qt::AlignLeft | Qt::AlignVCenter},
         {u"Kilo"_s, u"Kilo"_s, true, Qt::AlignRight | Qt::AlignVCenter}},
        this);
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->hide();

    connect(&control, &DataControl::repositioned, this, &DataGrid::followRecordset);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DataGrid::followRecordset);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &DataGrid::followGrid);
}

void DataGrid::setMarquee(bool highlightRow)
{
    setSelectionMode(highlightRow ? QAbstractItemView::SingleSelection : QAbstractItemView::NoSelection);
}

void DataGrid::followRecordset()
{
    Recordset *records = m_control.recordset();
    if (!records || m_syncing)
        return;
    m_syncing = true;
    const int position = records->absolutePosition();
    if (position >= 0)
        setCurrentIndex(m_model->index(position, 0));
    else
        selectionModel()->clearCurrentIndex();
    m_syncing = false;
}

void DataGrid::followGrid()
{
    Recordset *records = m_control.recordset();
    if (!records || m_syncing)
        return;
    const int row = currentIndex().row();
    if (row >= 0 && row != records->absolutePosition()) {
        m_syncing = true;
        records->moveTo(row);
        m_syncing = false;
    }
}
