#pragma once

#include "station/StationState.h"
#include "ui_support/StationWindow.h"

#include <QMainWindow>
#include <QPointer>

#include <optional>

class QAction;
class QGroupBox;
class QMenu;
class QTableView;
class CustomerScreen;
class Journal;
class LoginScreen;
class OrderPanel;
class PreviewPicture;
class PrintNotice;
class PackagePanel;
class ProductScreen;
class ReportPanel;
class SaleModeBadge;
class ScalePanel;
class ScrollingContainer;
class StationData;
class TwipsCanvas;

// The main window: owns the station's shared state and data controls and
// stacks the screens. The window surface is the customer screen; the login
// screen GirisFrm, the order screen Frame1, the weighing screen Frame2 and
// the report screen Frame3 are frames over it.
class Form1 : public QMainWindow, public StationWindow
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 15270;  // twips
    static constexpr int ClientHeight = 10470; // twips
    static const QString Caption;

    // `stationFolder` holds the databases and the text files.
    explicit Form1(const QString &stationFolder, QWidget *parent = nullptr);
    ~Form1() override;

    QString stationFolder() const override { return m_folder; }
    StationState &state() override { return m_state; }
    StationData &data() override { return *m_data; }
    Journal &journal() override { return *m_journal; }

    TwipsCanvas *surface() const { return m_surface; }
    QGroupBox *girisFrm() const override { return m_girisFrm; }
    QGroupBox *frame1() const override { return m_frame1; }
    QGroupBox *frame2() const override { return m_frame2; }
    QGroupBox *frame3() const override { return m_frame3; }
    QMenu *dosyaMenu() const { return m_dosya; }
    ScrollingContainer *scrllngFrm1() const override { return m_scrllngFrm1; }
    PreviewPicture *picture2() const override { return m_picture2; }
    PrintNotice *printNotice() const override { return m_printNotice; }

    LoginScreen &loginScreen() { return *m_login; }
    CustomerScreen &customerScreen() { return *m_customers; }
    ProductScreen &productScreen() { return *m_products; }
    OrderPanel &orderPanel() { return *m_order; }
    PackagePanel &packagePanel() { return *m_package; }
    ReportPanel &reportPanel() { return *m_report; }
    ScalePanel &scalePanel() override { return *m_scale; }

    QString customerTitle() const override;
    QString listedCustomer() const override;
    std::optional<QString> pickedProduct() const override;
    QString staffName() const override;

    void setDosyaVisible(bool visible) override;
    bool isDosyaVisible() const;

    // The first activation: reads the text files, restores layouts and
    // scale links, and puts the login screen in front. Runs once.
    void activateOnce();

    // The window refuses to close while the order holds rows.
    bool orderHasRows() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Tells the operator while the central server cannot be reached and
    // tries it again until it answers.
    void watchServer();
    // The lists just read off the server replace the ones shown.
    void showRefreshedLists();
    static constexpr int ServerRetryMs = 5000;
    void load();
    void buildFrames();
    void buildMenu();
    // "Hakkında": the version and the station folder.
    void showAbout();
    // What one screen does that another screen shows.
    void connectScreens();
    void saveGeometryToStationKey();

    QString m_folder;
    StationState m_state;
    StationData *m_data = nullptr;
    Journal *m_journal = nullptr;

    TwipsCanvas *m_surface = nullptr;
    QGroupBox *m_girisFrm = nullptr;
    QGroupBox *m_frame1 = nullptr;
    QGroupBox *m_frame2 = nullptr;
    QGroupBox *m_frame3 = nullptr;
    QMenu *m_dosya = nullptr;
    QAction *m_kapat = nullptr;
    SaleModeBadge *m_alsatLbl = nullptr;
    ScrollingContainer *m_scrllngFrm1 = nullptr;
    PreviewPicture *m_picture2 = nullptr;
    PrintNotice *m_printNotice = nullptr;

    LoginScreen *m_login = nullptr;
    CustomerScreen *m_customers = nullptr;
    ProductScreen *m_products = nullptr;
    OrderPanel *m_order = nullptr;
    PackagePanel *m_package = nullptr;
    ReportPanel *m_report = nullptr;
    ScalePanel *m_scale = nullptr;

    // Why the station key could not say which database to use, for the first notice.
    QString m_keyProblem;
    bool m_activated = false;
};
