#pragma once

#include "reports/ReportPeriod.h"

#include <QObject>

class StationWindow;
class QDateEdit;
class QLabel;
class QPushButton;
class QRadioButton;
class DataGrid;

// Shipment totals: the choices Option1 on the window surface and the report
// screen Frame3 with the date picker, the totals grid DBGrid2 and Label5.
// Option1(0) shows the picker's day, Option1(1) its month; while the screen
// is up a new date rebuilds the totals. "Yaz" prints them on the current
// printer, "Kapat" closes the screen and clears the choice.
class ReportPanel : public QObject
{
    Q_OBJECT
public:
    ReportPanel(StationWindow &form, QWidget *surface, QWidget *frame3);

    QRadioButton *option1(int index) const { return m_option1[index]; }
    QDateEdit *dtPicker1() const { return m_dtPicker1; }
    DataGrid *dbGrid2() const { return m_dbGrid2; }
    QLabel *label5() const { return m_label5; }
    QPushButton *command8(int index) const { return m_command8[index]; }

    // Builds the totals of the day (0) or the month (1) of the picker's date
    // and shows them on Frame3.
    void showTotals(int index);
    void PrintShipmentSummary();
    void closeReport();
    // The choices are offered only while no order is open.
    void showChoices();
    void hideChoices();

private:
    ReportPeriod::Kind selectedKind() const;
    void dateChanged();

    StationWindow &m_form;
    QRadioButton *m_option1[2] = {};
    QDateEdit *m_dtPicker1 = nullptr;
    DataGrid *m_dbGrid2 = nullptr;
    QLabel *m_label5 = nullptr;
    QPushButton *m_command8[2] = {};
    int m_totalsRequest = 0; // the latest totals asked for; older answers are dropped
};
