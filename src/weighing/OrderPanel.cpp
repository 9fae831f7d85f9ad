#include "weighing/OrderPanel.h"

#include "station/EngineText.h"
#include "station/StationState.h"
#include "ui_support/StationWindow.h"
#include "data/Criteria.h"
#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "journal/Journal.h"
#include "weighing/PendingRows.h"
#include "labels/ChoosePrinter.h"
#include "ui_support/Colors.h"
#include "ui_support/Control.h"
#include "ui_support/DataGrid.h"
#include "ui_support/FittingCaptionLabel.h"
#include "ui_support/TwipsGeometry.h"
#include "printing/PreviewPicture.h"
#include "printing/PrintNotice.h"
#include "station/NumberText.h"
#include "printing/PrinterJob.h"
#include "ui_support/Prompts.h"
#include "ui_support/ScrollingContainer.h"
#include "weighing/OrderBooking.h"
#include "weighing/OrderRows.h"
#include "weighing/SlipSums.h"
#include "weighing/StockBooking.h"
#include "weighing/WeightCaptions.h"

#include <QApplication>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
const QString PreviewCaption = u"Fiş Yaz"_s;
const QString PrintCaption = u"Yazdır"_s;
const QString RestoredNotice = u"Sipariş"_s;
} // namespace

OrderPanel::OrderPanel(StationWindow &form, QWidget *frame1)
    : QObject(frame1)
    , m_form(form)
{
    struct ButtonSpec
    {
        int index;
        QString caption;
        int left, width;
    };
    const ButtonSpec buttons[] = {{3, u"Tartmaya Başla"_s, 120, 3600},
                                  {1, u"Ürün Çıkar"_s, 3840, 2760},
                                  {2, u"Fiş Yaz"_s, 6720, 2760},
                                  {0, u"Müşteri Seçimine Dön"_s, 9630, 5325}};
    for (const ButtonSpec &spec : buttons) {
        auto *button = new QPushButton(spec.caption, frame1);
        Control::setUp(button, Control::arrayName(u"Command2"_s, spec.index),
                       spec.index == 3 ? Colors::Green : Colors::Yellow, {spec.left, 300, spec.width, 1800}, 18);
        m_command2[spec.index] = button;
    }

    m_dbGrid1 = new DataGrid(form.data().data3(), u"DBGrid1"_s, frame1);
    TwipsGeometry::place(m_dbGrid1, 9630, 2280, 5325, 5865, 14);
    m_dbGrid1->setColumnWidth(0, TwipsGeometry::toPixels(3200, 1.0));
    m_dbGrid1->setColumnWidth(1, TwipsGeometry::toPixels(1800, 1.0));

    m_toplamLbl = new QLabel(u"0"_s, frame1);
    m_toplamLbl->setObjectName(u"ToplamLbl"_s);
    m_toplamLbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Control::setBackColor(m_toplamLbl, Colors::White);
    TwipsGeometry::place(m_toplamLbl, 9630, 8250, 5325, 960, 26);

    // The order's customer, readable from the scale: in the free strip above
    // the order screen, beside the staff name.
    m_musteriLbl = new FittingCaptionLabel(frame1->parentWidget());
    m_musteriLbl->setObjectName(u"MüşteriLbl"_s);
    m_musteriLbl->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Control::setForeColor(m_musteriLbl, Colors::White);
    QFont bold = m_musteriLbl->font();
    bold.setBold(true);
    m_musteriLbl->setFont(bold);
    TwipsGeometry::place(m_musteriLbl, 6120, 0, 9030, 690, 22);
    m_musteriLbl->hide();

    PrinterChoiceOnRightClick::attach(m_command2[2], SlipPrinterKey);
    connect(m_command2[0], &QPushButton::clicked, this, &OrderPanel::backToCustomerSelection);
    connect(m_command2[1], &QPushButton::clicked, this, &OrderPanel::removeCurrentRow);
    connect(m_command2[2], &QPushButton::clicked, this, &OrderPanel::writeSlip);
    connect(m_command2[3], &QPushButton::clicked, this, &OrderPanel::startWeighing);
    connect(&form.data().data3(), &DataControl::repositioned, this, &OrderPanel::onData3Repositioned);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && (now == m_dbGrid1 || m_dbGrid1->isAncestorOf(now)))
            emit rowsFocused();
    });
}

void OrderPanel::onData3Repositioned()
{
    Recordset *rows = m_form.data().data3().recordset();
    const bool hasRows = rows && rows->recordCount() > 0;
    // Highlight the row only while there is one to highlight.
    m_dbGrid1->setMarquee(hasRows);
    m_command2[0]->setEnabled(!hasRows);
    if (m_command2[2]->isEnabled() && hasRows)
        m_command2[1]->setEnabled(rows->hasCurrent() && rows->value(u"Tamam"_s).toInt() != 0);
}

void OrderPanel::openOrder(bool restored)
{
    Recordset *rows = m_form.data().data3().recordset();
    const bool hasRows = rows && rows->recordCount() > 0;
    m_toplamLbl->setText(hasRows ? NumberText::grouped3(OrderRows::total(*rows)) : u"0"_s);
    if (restored && hasRows) {
        m_form.printNotice()->tellGood(RestoredNotice, u"Yarım kalan sipariş geri yüklendi: %1 satır, %2 Kg"_s
                                                           .arg(rows->recordCount())
                                                           .arg(m_toplamLbl->text()));
    }
    m_command2[1]->setEnabled(true);
    m_musteriLbl->setCaption(m_form.frame1()->title().trimmed());
    m_musteriLbl->show();
    m_musteriLbl->raise();
}

void OrderPanel::startWeighing()
{
    // Without a product the row would carry the design caption and no
    // barcode: nothing is weighed until one is picked from the list.
    static const QString ProductNotice = u"Ürün"_s;
    const std::optional<QString> product = m_form.pickedProduct();
    Recordset *records = m_form.data().data4().recordset();
    if (!product || !records || !records->findFirst(Criteria::equals(u"Ürün"_s, *product))) {
        m_form.printNotice()->tell(ProductNotice, u"Önce listeden bir ürün seçin"_s);
        return;
    }
    m_form.printNotice()->withdraw(ProductNotice);
    emit weighingStarted();
    m_form.frame2()->show();
    m_form.frame2()->raise();
}

void OrderPanel::removeCurrentRow()
{
    Recordset *rows = m_form.data().data3().recordset();
    if (!rows || !rows->hasCurrent())
        return;
    const double kilo = rows->value(u"Kilo"_s).toDouble();
    if (!OrderRows::removeCurrent(*rows))
        return;
    m_toplamLbl->setText(WeightCaptions::reducedTotal(m_toplamLbl->text(), kilo));
}

void OrderPanel::backToCustomerSelection()
{
    // Every row goes, booked or not: an order never printed is abandoned.
    m_form.data().deleteAllRows(m_form.data().data3());
    m_form.setDosyaVisible(false);
    m_form.frame1()->hide();
    m_musteriLbl->hide();
    emit orderLeft();
    m_form.girisFrm()->show();
    m_form.girisFrm()->raise();
}

OrderSlip OrderPanel::currentSlip(QList<SlipLine> rows, QList<SlipLine> sums) const
{
    OrderSlip slip;
    slip.headerLines = m_form.state().headerLines;
    slip.customer = m_form.customerTitle();
    slip.staff = m_form.staffName();
    slip.rows = std::move(rows);
    slip.sums = std::move(sums);
    slip.printedAt = QDateTime::currentDateTime();
    return slip;
}

void OrderPanel::writeSlip()
{
    if (m_command2[2]->text() == PreviewCaption)
        previewSlip();
    else
        printSlip();
}

void OrderPanel::previewSlip()
{
    QPushButton *button = m_command2[2];
    if (!button->isEnabled())
        return;
    StationData &data = m_form.data();
    RefreshDataControl(data.data3());
    const Recordset *orderRows = data.data3().recordset();
    const QList<SlipLine> rows = orderRows ? SlipSums::readRows(*orderRows) : QList<SlipLine>();
    SlipSums::rebuild(data, rows);
    const Recordset *sums = data.data6().recordset();
    const OrderSlip slip = currentSlip(rows, sums ? SlipSums::read(*sums) : QList<SlipLine>());
    button->setText(PrintCaption);

    ScrollingContainer *container = m_form.scrllngFrm1();
    container->show();
    container->raise();
    PrinterSurface &page = m_form.picture2()->page();
    // The label preview shares the surface and keeps its own face.
    const QString fontName = page.fontName();
    // The screen repaints between rows; the button waits until the slip is
    // drawn, so a second tap cannot start another drawing inside this one.
    button->setEnabled(false);
    slip.draw(page, OrderSlip::Target::Preview, TwipsGeometry::twipsRect(container).height(),
              [] { QCoreApplication::processEvents(); });
    page.setFontName(fontName);
    button->setEnabled(true);
    // Rows may have been removed while the preview drew.
    onData3Repositioned();
}

void OrderPanel::cancelPreview()
{
    m_command2[2]->setText(PreviewCaption);
}

void OrderPanel::holdOrder()
{
    m_command2[0]->setEnabled(false);
}

void OrderPanel::addToTotal(const QString &productTotal)
{
    m_toplamLbl->setText(WeightCaptions::grownTotal(m_toplamLbl->text(), productTotal));
}

void OrderPanel::printSlip()
{
    QPushButton *button = m_command2[2];
    if (!button->isEnabled())
        return;
    button->setEnabled(false);
    StationData &data = m_form.data();

    PrinterJob job(SlipPrinterKey, u"Fiş"_s);
    RefreshDataControl(data.data3());
    if (!data.data6().recordset())
        RefreshDataControl(data.data6());
    Recordset *orderRows = data.data3().recordset();
    const Recordset *sums = data.data6().recordset();
    // The per-product lines are the sums of the preview, the rows as they are now.
    const OrderSlip slip = currentSlip(orderRows ? SlipSums::readRows(*orderRows) : QList<SlipLine>(),
                                       sums ? SlipSums::read(*sums) : QList<SlipLine>());
    slip.draw(job, OrderSlip::Target::Page);
    const PrintJobResult printed = job.endDoc();
    m_form.printNotice()->report(printed);
    m_form.journal().slip(slip.customer, int(slip.rows.size()), slip.total(), job.queueName(),
                          printed);

    // The order is booked whether or not the slip came out. On a central
    // server the booking ends later; the button waits for it, the window not.
    const PendingRows before = orderRows ? PendingRows::of(*orderRows) : PendingRows();
    const QString customer = slip.customer;
    const bool slipPrinted = printed.printed;
    m_command2[1]->setEnabled(false); // no row leaves while it may be on its way
    OrderBooking::book(data, QDate::currentDate(), m_form.state().alsatMode, customer, this,
                       [this, before, customer, slipPrinted](const BookingResult &booking) {
                           bookingEnded(booking, before, customer, slipPrinted);
                       });
}

void OrderPanel::bookingEnded(const BookingResult &booking, const PendingRows &before,
                              const QString &customer, bool slipPrinted)
{
    StationData &data = m_form.data();
    // Show what the files hold now; the movements are read when something reads them.
    RefreshDataControl(data.data3());
    RefreshDataControl(data.data5());
    const Recordset *orderRows = data.data3().recordset();
    const PendingRows after = orderRows ? PendingRows::of(*orderRows) : PendingRows();
    if (booking.booked > 0 || !booking.ok())
        m_form.journal().booking(customer, booking.booked, before.kilograms - after.kilograms,
                                 m_form.state().alsatMode, booking.failure);

    QPushButton *button = m_command2[2];
    button->setText(PreviewCaption);
    button->setEnabled(true);
    // Leaving the order empties it: only once every row is booked.
    m_command2[0]->setEnabled(booking.ok());
    m_command2[1]->setEnabled(!slipPrinted);
    m_form.scrllngFrm1()->hide();
    if (!booking.ok())
        Prompts::instance().exclamation(m_dbGrid1->window(), u"Stok hareketleri kaydedilemedi: "_s
                                                                 + EngineText::forOperator(booking.failure));
}
