#include "reports/ReportPanel.h"

#include "station/StationState.h"
#include "ui_support/StationWindow.h"
#include "ui_support/GloveSize.h"
#include "data/StationData.h"
#include "journal/Journal.h"
#include "printing/CurrentPrinter.h"
#include "printing/PrintJobResult.h"
#include "printing/PrintNotice.h"
#include "printing/PrinterJob.h"
#include "reports/ReportsLog.h"
#include "reports/ShipmentSummary.h"
#include "reports/ShipmentTotals.h"
#include "ui_support/Colors.h"
#include "ui_support/Control.h"
#include "ui_support/DataGrid.h"
#include "ui_support/TouchStyle.h"
#include "ui_support/TwipsGeometry.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

using namespace Qt::StringLiterals;

ReportPanel::ReportPanel(StationWindow &form, QWidget *surface, QWidget *frame3)
    : QObject(frame3)
    , m_form(form)
{
    const QString optionCaptions[] = {u"Günlük Sevkiyat"_s, u"Aylık Sevkiyat"_s};
    for (int i = 0; i < 2; ++i) {
        m_option1[i] = new QRadioButton(optionCaptions[i], surface);
        m_option1[i]->setObjectName(Control::arrayName(u"Option1"_s, i));
        Control::setForeColor(m_option1[i], Colors::White);
        TwipsGeometry::place(m_option1[i], 9000 + i * 3150, 60, 3000, 600, 14);
        TouchStyle::apply(m_option1[i]);
    }

    m_dtPicker1 = new QDateEdit(QDate::currentDate(), frame3);
    m_dtPicker1->setObjectName(u"DTPicker1"_s);
    m_dtPicker1->setCalendarPopup(true);
    GloveSize::fitCalendar(m_dtPicker1);
    TouchStyle::apply(m_dtPicker1);
    m_dtPicker1->setDisplayFormat(u"dd MMMM yyyy dddd"_s);
    TwipsGeometry::place(m_dtPicker1, 240, 240, 6000, 700, 16);

    m_dbGrid2 = new DataGrid(form.data().data6(), u"DBGrid2"_s, frame3);
    TwipsGeometry::place(m_dbGrid2, 240, 1080, 9000, 7800, 14);
    m_dbGrid2->setColumnWidth(0, TwipsGeometry::toPixels(5600, 1.0));
    m_dbGrid2->setColumnWidth(1, TwipsGeometry::toPixels(2800, 1.0));

    m_label5 = new QLabel(u"0"_s, frame3);
    Control::setUp(m_label5, u"Label5"_s, Colors::White, {9480, 1080, 5500, 700}, 16);

    const QString command8Captions[] = {u"Kapat"_s, u"Yaz"_s};
    for (int i = 0; i < 2; ++i) {
        m_command8[i] = new QPushButton(command8Captions[i], frame3);
        Control::setUp(m_command8[i], Control::arrayName(u"Command8"_s, i), Colors::Yellow,
                       {9480 + i * 2820, 7800, 2600, 1200}, 18);
    }

    for (int i = 0; i < 2; ++i)
        connect(m_option1[i], &QRadioButton::clicked, this, [this, i] { showTotals(i); });
    connect(m_dtPicker1, &QDateEdit::dateChanged, this, &ReportPanel::dateChanged);
    connect(m_command8[0], &QPushButton::clicked, this, &ReportPanel::closeReport);
    connect(m_command8[1], &QPushButton::clicked, this, &ReportPanel::PrintShipmentSummary);
}

ReportPeriod::Kind ReportPanel::selectedKind() const
{
    return m_option1[0]->isChecked() ? ReportPeriod::Kind::Day : ReportPeriod::Kind::Month;
}

void ReportPanel::showTotals(int index)
{
    m_label5->setText(u"0"_s);
    QGroupBox *frame3 = m_form.frame3();
    frame3->show();
    frame3->raise();

    const ReportPeriod period(index == 0 ? ReportPeriod::Kind::Day : ReportPeriod::Kind::Month,
                              m_dtPicker1->date());
    // Nothing to print until the sums are in, nor when the movements could
    // not be read: an empty page would pass for a day without shipments.
    m_command8[1]->setEnabled(false);
    const int request = ++m_totalsRequest;
    ShipmentTotals::buildFor(m_form.data(), m_form.state().alsatMode, period, this,
                             [this, request](std::optional<double> total) {
                                 if (request != m_totalsRequest)
                                     return; // another date or period was asked since
                                 m_label5->setText(total ? ShipmentTotals::totalCaption(*total)
                                                         : ShipmentTotals::UnreadableCaption);
                                 m_command8[1]->setEnabled(total.has_value());
                             });
}

void ReportPanel::dateChanged()
{
    if (!m_form.frame3()->isVisible())
        return;
    showTotals(m_option1[0]->isChecked() ? 0 : 1);
}

void ReportPanel::closeReport()
{
    m_form.frame3()->hide();
    // Exclusive buttons never clear themselves.
    for (QRadioButton *option : m_option1) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

void ReportPanel::PrintShipmentSummary()
{
    DataControl &scratch = m_form.data().data6();
    PrintJobResult result;
    if (!RefreshDataControl(scratch) || !scratch.recordset()) {
        result = {ShipmentSummary::DocumentName, false, u"toplamlar okunamadı"_s};
        qCWarning(lcReports) << "summary not printed: the scratch table cannot be read";
    } else {
        const ShipmentSummary summary(ReportPeriod(selectedKind(), m_dtPicker1->date()),
                                      m_form.state().headerLines[0], m_label5->text(),
                                      ShipmentTotals::read(*scratch.recordset()));
        PrinterJob job(CurrentPrinter::printer(), ShipmentSummary::DocumentName);
        result = summary.print(job);
    }
    m_form.printNotice()->report(result);
    const ReportPeriod period(selectedKind(), m_dtPicker1->date());
    m_form.journal().report(period.firstText() + u" - "_s + period.lastText() + u", "_s + m_label5->text(),
                            CurrentPrinter::printer().printerName(), result);
}

void ReportPanel::showChoices()
{
    m_option1[0]->show();
    m_option1[1]->show();
}

void ReportPanel::hideChoices()
{
    m_option1[0]->hide();
    m_option1[1]->hide();
}
