#pragma once

#include "weighing/OrderSlip.h"

#include <QObject>

class StationWindow;
struct BookingResult;
struct PendingRows;
class QLabel;
class QPushButton;
class DataGrid;
class FittingCaptionLabel;

// The order in progress on the order screen Frame1: the buttons of Command2,
// the order total ToplamLbl and the grid DBGrid1 of the order rows (Data3).
class OrderPanel : public QObject
{
    Q_OBJECT
public:
    OrderPanel(StationWindow &form, QWidget *frame1);

    QPushButton *command2(int index) const { return m_command2[index]; }
    QLabel *toplamLbl() const { return m_toplamLbl; }
    FittingCaptionLabel *musteriLbl() const { return m_musteriLbl; }
    DataGrid *dbGrid1() const { return m_dbGrid1; }

    // Follows every change of Data3's current row: the grid's marquee, and
    // which of "Müşteri Seçimine Dön" and "Ürün Çıkar" may be pressed.
    void onData3Repositioned();

    // The order screen opened for an account: the total of the rows already
    // in the order, and a notice when they were left from before a restart.
    void openOrder(bool restored);

    // The buttons of Command2: 0 back to customer selection, 1 remove the
    // current row, 3 start weighing the chosen product.
    void backToCustomerSelection();
    void removeCurrentRow();
    void startWeighing();

    // Command2(2): "Fiş Yaz" sums the order per product and draws the slip's
    // preview; "Yazdır" prints the slip on the slip printer and books the
    // order rows not yet booked as stock movements.
    void writeSlip();
    void previewSlip();
    void printSlip();
    // Another product was picked: a pending preview is dropped.
    void cancelPreview();
    // A package is on the scale's total: the order cannot be left now.
    void holdOrder();
    // A finished product's total caption joins ToplamLbl.
    void addToTotal(const QString &productTotal);

signals:
    // DBGrid1 took the focus.
    void rowsFocused();
    // "Tartmaya Başla" with a product picked: the weighing screen comes up.
    void weighingStarted();
    // "Müşteri Seçimine Dön": the order is dropped and the login screen comes up.
    void orderLeft();

private:
    // The booking started by printSlip ended: the journal, the buttons, and
    // the operator told when rows stay unbooked.
    void bookingEnded(const BookingResult &booking, const PendingRows &before,
                      const QString &customer, bool slipPrinted);
    // The slip of the order as it stands, with the given rows and sums.
    OrderSlip currentSlip(QList<SlipLine> rows, QList<SlipLine> sums) const;

    StationWindow &m_form;
    QPushButton *m_command2[4] = {};
    QLabel *m_toplamLbl = nullptr;
    DataGrid *m_dbGrid1 = nullptr;
    FittingCaptionLabel *m_musteriLbl = nullptr;
};
