#pragma once

#include <QTableView>

class DataControl;
class RecordsetModel;

// A data grid bound to a data control, showing the columns "Ürün" and
// "Kilo" (as "#,###0.000"). The grid's current row is the control's current
// record, both ways. Read-only: rows change through the screens' buttons.
class DataGrid : public QTableView
{
    Q_OBJECT
public:
    DataGrid(DataControl &control, const QString &name, QWidget *parent);

    DataControl &control() const { return m_control; }

    // Shows the current record as the highlighted row, or no highlight.
    void setMarquee(bool highlightRow);

private:
    void followRecordset();
    void followGrid();

    DataControl &m_control;
    RecordsetModel *m_model = nullptr;
    bool m_syncing = false;
};
