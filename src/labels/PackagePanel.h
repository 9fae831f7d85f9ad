#pragma once

#include "data/ProductExtras.h"
#include "journal/JournalEntry.h"
#include "ui_support/TapGuard.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <optional>

class CaptionLabel;
class LotEntry;
class PackageRun;
class StationWindow;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

// The package weighing screen Frame2: the three weight rows Label4, their
// titles and the product and customer captions Label2, the buttons Command4,
// the label switch PaketYaz and the use-by buttons Command7 in Frame4.
class PackagePanel : public QObject
{
    Q_OBJECT
public:
    // How long " Ekle Ve Devam Et" waits for a moving weight to settle.
    static constexpr std::chrono::milliseconds StableWait{3000};

    PackagePanel(StationWindow &form, QWidget *frame2);

    CaptionLabel *label4(int index) const { return m_label4[index]; }
    CaptionLabel *label2(int index) const { return m_label2[index]; }
    QPushButton *command4(int index) const { return m_command4[index]; } // 1..3
    QPushButton *command7(int index) const { return m_command7[index]; }
    QFrame *frame4() const { return m_frame4; }
    QCheckBox *paketYaz() const { return m_paketYaz; }
    QPushButton *partiButton() const { return m_partiButton; }

    // The product being weighed as its extras say: its lot (empty: the
    // production date), animal reference, GTIN and tare.
    const ProductExtra &productExtra() const { return m_extra; }
    // Makes `lot` (and `animal`) the product's lot from now on and
    // remembers it for the product. The caller has checked the lot.
    void setLot(const QString &lot, const QString &animal);
    // A text a barcode scanner typed: a GS1 element string with a lot (10)
    // or an animal reference (251) sets them; anything else is refused on
    // the screen.
    void onScanned(const QString &text);

    // The weight rows changed: "Tartım Tamam" needs a product total,
    // " Ekle Ve Devam Et" a reading that can be a package.
    void onWeightChanged();
    bool canAddReading() const;
    // A double click on a Label2 after a key press writes a test reading.
    void onTestReading(int index);

    // A new product on the scale: the account named and the totals at zero.
    void startWeighing();
    // " Ekle Ve Devam Et": a stable weight at once, a moving one when it
    // settles within StableWait, else «Tartı sabit değil».
    void addPackage();
    void finishProduct();    // "Tartım Tamam"
    void backToProducts();   // "Ürün Seçimine Geri Dön"
    // Tells the operator about packages a stopped station left off the order.
    void tellUnfinishedRun();
    void chooseUseBy(int index);
    void onPaketYazToggled(bool checked);
    void showLabelSwitch(bool on);
    // The product being weighed (Label2(1)).
    void showProduct(const QString &name);

    // Whether the year rule is chosen for the use-by date.
    bool yearRule() const;

    // The label of the product just finished: preview, then the printer
    // remembered for labels. A failed job is reported on the window.
    void printLabel();
    class PackageLabel currentLabel() const;
    // The last label that did not come out, printed again from its journal
    // entry with its first dates; nothing is booked again.
    void reprintLabel();
    void onRetryRequested(const QString &topic);

signals:
    // " Ekle Ve Devam Et" added a package to the product's total.
    void packageAdded();
    // "Tartım Tamam" put the product into the order with this total caption.
    void productFinished(const QString &productTotal);

private:
    void addReading();
    void loadExtras(const QString &product);
    void showExtras();
    void tell(const QString &notice);
    void recordPackage(double kilo);
    void sendLabel(const class PackageLabel &label, const QString &detail);

    StationWindow &m_form;
    CaptionLabel *m_label4[3] = {};
    CaptionLabel *m_label2[6] = {};
    bool m_finishing = false;
    int m_packages = 0; // added since the weighing started
    TapGuard m_addTaps; // " Ekle Ve Devam Et"
    QTimer m_stableWait;
    int m_waitScale = -1;
    QLabel *m_stableMark = nullptr;
    QLabel *m_notice = nullptr;
    QPushButton *m_command4[4] = {};
    QPushButton *m_command7[2] = {};
    QFrame *m_frame4 = nullptr;
    QCheckBox *m_paketYaz = nullptr;
    QPushButton *m_partiButton = nullptr;
    QLabel *m_daraLabel = nullptr;
    LotEntry *m_lotEntry = nullptr;
    ProductExtra m_extra;
    std::optional<JournalEntry> m_unprintedLabel;
    PackageRun *m_run = nullptr;
};
