#include "app/Form1.h"

#include "app/GridLayouts.h"
#include "app/LoginScreen.h"
#include "station/DatabaseSetting.h"
#include "station/EngineText.h"
#include "station/SettingsStore.h"
#include "station/StationTextFiles.h"
#include "data/StationData.h"
#include "data/StationHealth.h"
#include "journal/Journal.h"
#include "labels/PackagePanel.h"
#include "printing/PreviewPicture.h"
#include "printing/PrintNotice.h"
#include "reports/ReportPanel.h"
#include "scale/ScalePanel.h"
#include "screens/CustomerScreen.h"
#include "screens/ProductScreen.h"
#include "ui_support/CaptionLabel.h"
#include "ui_support/Control.h"
#include "ui_support/DataGrid.h"
#include "ui_support/ListBox.h"
#include "ui_support/SaleModeBadge.h"
#include "ui_support/ScrollingContainer.h"
#include "ui_support/TwipsCanvas.h"
#include "ui_support/TouchStyle.h"
#include "ui_support/TwipsGeometry.h"
#include "ui_support/WheelHook.h"
#include "weighing/OrderPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QMessageBox>
#include <QTableView>
#include <QTimer>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcWindow, "tavran.app.window")

const QString Form1::Caption = u"   Korvel  Et Tavran"_s;

namespace {

// In the window's design the frames lie below the visible area; the first
// activation moves them up.
constexpr int DesignTop = 14000;
// The notice strip along the bottom of every screen.
constexpr int NoticeTop = Form1::ClientHeight - 720;

QGroupBox *makeFrame(const QString &name, QWidget *parent, int height)
{
    auto *frame = new QGroupBox(parent);
    frame->setObjectName(name);
    frame->setAutoFillBackground(true);
    frame->setFlat(true);
    // Frame1's caption names the order's customer; the operator reads it in
    // large type above the frame (MüşteriLbl), so the small caption stays unseen.
    frame->setStyleSheet(u"QGroupBox { background-color: #3c4b5e; border: none; }"
                         u"QGroupBox::title { color: transparent; }"_s);
    TwipsGeometry::place(frame, 0, DesignTop, Form1::ClientWidth, height, 11);
    return frame;
}

} // namespace

Form1::Form1(const QString &stationFolder, QWidget *parent)
    : QMainWindow(parent)
    , m_folder(stationFolder)
    , m_data(new StationData(this))
    , m_journal(new Journal(stationFolder, this))
{
    setObjectName(u"Form1"_s);
    setWindowTitle(Caption);

    m_surface = new TwipsCanvas(this);
    m_surface->setObjectName(u"Surface"_s);
    m_surface->setAutoFillBackground(true);
    Control::setBackColor(m_surface, 0x5E4B3C);
    setCentralWidget(m_surface);

    buildFrames();
    buildMenu();
    load();

    qApp->installEventFilter(this);
    new WheelHook(this);
    resize(1018, 698 + menuBar()->sizeHint().height());
}

Form1::~Form1()
{
    SetSettingChangeObserver({});
    qApp->removeEventFilter(this);
}

void Form1::buildFrames()
{
    m_customers = new CustomerScreen(*this, m_surface);
    m_report = nullptr;

    m_scrllngFrm1 = new ScrollingContainer(m_surface);
    m_scrllngFrm1->setObjectName(u"ScrllngFrm1"_s);
    // Ends where the notice strip begins: a preview never hides a failure.
    TwipsGeometry::place(m_scrllngFrm1, 9630, 2970, 5325, NoticeTop - 2970);
    m_scrllngFrm1->hide();
    m_picture2 = new PreviewPicture(QSize(4535, 5000), m_surface);
    m_picture2->hide();

    m_frame3 = makeFrame(u"Frame3"_s, m_surface, ClientHeight - 720);
    m_report = new ReportPanel(*this, m_surface, m_frame3);
    m_frame1 = makeFrame(u"Frame1"_s, m_surface, ClientHeight - 690);
    m_products = new ProductScreen(*this, m_frame1);
    m_order = new OrderPanel(*this, m_frame1);
    m_frame2 = makeFrame(u"Frame2"_s, m_surface, ClientHeight);
    m_package = new PackagePanel(*this, m_frame2);
    m_scale = new ScalePanel(m_state, this, this);
    m_scale->createControls(m_frame2, m_surface);
    connect(m_scale, &ScalePanel::liveWeightChanged, m_package->label4(0), &CaptionLabel::setCaption);
    m_girisFrm = makeFrame(u"GirisFrm"_s, m_surface, ClientHeight);
    m_login = new LoginScreen(*this, m_girisFrm, m_surface);

    // Over every screen: an abandoned print job is never silent.
    m_printNotice = new PrintNotice(m_surface);
    TwipsGeometry::place(m_printNotice, 0, NoticeTop, ClientWidth, ClientHeight - NoticeTop, 16);
    connect(m_journal, &Journal::unwritable, m_printNotice,
            [notice = m_printNotice](const QString &text) {
                notice->tell(u"Kayıt defteri"_s, EngineText::forOperator(text));
            });
    SetSettingChangeObserver([journal = m_journal](const QString &name, const QString &value, bool app) {
        journal->stationSetting(name, value, app);
    });

    m_frame1->hide();
    m_frame2->hide();
    m_frame3->hide();
    connect(m_login, &LoginScreen::closeRequested, this, &QWidget::close);
    connectScreens();
}

void Form1::connectScreens()
{
    connect(m_products, &ProductScreen::productPicked, m_package, &PackagePanel::showProduct);
    connect(m_products, &ProductScreen::productPicked, m_order, &OrderPanel::cancelPreview);
    connect(m_order, &OrderPanel::rowsFocused, m_products, &ProductScreen::aimArrowsAtRows);

    connect(m_customers, &CustomerScreen::orderOpened, m_order, &OrderPanel::openOrder);
    connect(m_customers, &CustomerScreen::orderOpened, m_products, &ProductScreen::startOver);
    connect(m_customers, &CustomerScreen::orderOpened, m_report, &ReportPanel::hideChoices);
    connect(m_customers, &CustomerScreen::restoredOrderOfOtherKind, m_login, &LoginScreen::switchSaleOrPurchase);

    connect(m_order, &OrderPanel::weighingStarted, m_package, &PackagePanel::startWeighing);
    connect(m_order, &OrderPanel::orderLeft, m_report, &ReportPanel::showChoices);
    connect(m_order, &OrderPanel::orderLeft, m_login, &LoginScreen::showPasswordPrompt);
    // Between orders the lists may change under the operator's eyes: the
    // plant's office added a customer or a product during the day.
    connect(m_order, &OrderPanel::orderLeft, m_data, &StationData::refreshSharedTables);

    connect(m_package, &PackagePanel::packageAdded, m_order, &OrderPanel::holdOrder);
    connect(m_package, &PackagePanel::productFinished, m_order, &OrderPanel::addToTotal);

    connect(m_login, &LoginScreen::alsatSwitched, m_customers, &CustomerScreen::showAccountsFor);
}

QString Form1::customerTitle() const
{
    return m_customers->musTxt()->text();
}

QString Form1::listedCustomer() const
{
    return m_customers->list1()->text();
}

std::optional<QString> Form1::pickedProduct() const
{
    const ListBox *list2 = m_products->list2();
    if (list2->listIndex() < 0)
        return std::nullopt;
    return list2->text();
}

QString Form1::staffName() const
{
    const ListBox *list3 = m_login->list3();
    return list3->listIndex() > 0 ? list3->text() : QString();
}

void Form1::buildMenu()
{
    m_dosya = menuBar()->addMenu(u"Dosya"_s);
    m_dosya->setObjectName(u"Dosya"_s);
    m_scale->addMenuEntries(m_dosya);
    QAction *separator = m_dosya->addSeparator();
    separator->setVisible(false);
    QAction *yazAyar = m_dosya->addAction(u"Sayfa Ayarı"_s);
    yazAyar->setObjectName(u"YazAyar"_s);
    yazAyar->setVisible(false);
    QAction *yazSec = m_dosya->addAction(u"Yazıcı Seçimi"_s);
    yazSec->setObjectName(u"YazSec"_s);
    yazSec->setVisible(false);
    QAction *hakkinda = m_dosya->addAction(u"Hakkında"_s);
    hakkinda->setObjectName(u"Hakkinda"_s);
    connect(hakkinda, &QAction::triggered, this, &Form1::showAbout);
    m_dosya->addSeparator();
    m_kapat = m_dosya->addAction(u"Kapat"_s);
    m_kapat->setObjectName(u"Kapat"_s);
    connect(m_kapat, &QAction::triggered, this, &QWidget::close);
    // Sale or purchase, on every screen after the login.
    m_alsatLbl = new SaleModeBadge(menuBar());
    menuBar()->setCornerWidget(m_alsatLbl, Qt::TopRightCorner);
    m_alsatLbl->showMode(m_state.alsatMode);
    connect(m_login, &LoginScreen::alsatSwitched, m_alsatLbl, &SaleModeBadge::showMode);
    TouchStyle::followWindow(menuBar());
    setDosyaVisible(false);
}

void Form1::showAbout()
{
    // Which version runs on which folder: what the plant's support asks first.
    auto *box = new QMessageBox(QMessageBox::Information, u"Hakkında"_s,
                                u"Tavran %1\nİstasyon klasörü: %2"_s.arg(
                                    QStringLiteral(TAVRAN_VERSION), QDir::toNativeSeparators(m_folder)),
                                QMessageBox::Ok, this);
    box->setObjectName(u"HakkindaKutusu"_s);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void Form1::setDosyaVisible(bool visible)
{
    m_dosya->menuAction()->setVisible(visible);
    m_alsatLbl->setVisible(visible);
}

bool Form1::isDosyaVisible() const
{
    return m_dosya->menuAction()->isVisible();
}

void Form1::load()
{
    move(0, 0);
    m_state.customerKeyIndex = StationState::StartingUp;

    m_keyProblem.clear();
    m_data->bind(m_folder, DatabaseSetting::url(&m_keyProblem));
    for (int number : {1, 2, 3, 4, 5})
        RefreshDataControl(m_data->control(number));

    m_customers->fillList();
    m_products->fillList();
    watchServer();

    // Labels are printed after every start: a switch left off by mistake
    // would otherwise send the next day's products out unlabelled.
    m_package->paketYaz()->setChecked(true);
}

void Form1::watchServer()
{
    // The lists kept from the last time show at once; the server's own come
    // in when it answers, asked again while it does not. Nothing here waits.
    auto *retry = new QTimer(this);
    retry->setInterval(ServerRetryMs);
    retry->setSingleShot(true);
    connect(retry, &QTimer::timeout, m_data, &StationData::refreshSharedTables);
    connect(m_data, &StationData::sharedTablesRefreshed, this,
            [this, retry](const QString &error, bool changed) {
                const QString topic = u"Merkez veritabanı"_s;
                if (!error.isEmpty()) {
                    qCWarning(lcWindow) << "central server:" << error;
                    m_printNotice->tell(topic, EngineText::forOperator(error) + u" — yeniden deneniyor"_s);
                    retry->start();
                    return;
                }
                m_printNotice->withdraw(topic);
                if (changed)
                    showRefreshedLists();
            });
}

void Form1::showRefreshedLists()
{
    // The account chosen (a restored order's) stays chosen in the new list.
    const Recordset *accounts = m_data->data1().recordset();
    const QString chosen = customerTitle();
    const bool keepChosen = accounts && accounts->hasCurrent() && !chosen.isEmpty()
                            && accounts->value(u"Unvan"_s).toString() == chosen;
    for (int number : {1, 4, 5})
        RefreshDataControl(m_data->control(number));
    m_customers->fillList();
    m_products->fillList();
    if (keepChosen)
        m_customers->chooseAccount(chosen);
}

void Form1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    activateOnce();
}

void Form1::activateOnce()
{
    if (m_activated || !m_state.startingUp())
        return;
    m_activated = true;

    TwipsGeometry::setTop(m_girisFrm, 0);
    TwipsGeometry::setTop(m_frame1, 690);
    TwipsGeometry::setTop(m_frame2, 0);
    TwipsGeometry::setTop(m_frame3, 720);
    m_girisFrm->raise();

    m_state.headerLines = StationTextFiles::readHeaderLines(m_folder);
    m_login->setStaff(StationTextFiles::readStaff(m_folder));
    m_report->dtPicker1()->setDate(QDate::currentDate());
    GridLayouts::load(m_order->dbGrid1(), m_folder, m_surface->scale());
    GridLayouts::load(m_report->dbGrid2(), m_folder, m_surface->scale());
    if (Recordset *accounts = m_data->data1().recordset(); accounts && accounts->recordCount() > 0)
        accounts->moveFirst();
    // Still starting up: the links that were on come back without questions.
    m_scale->restoreAtStartup();

    m_customers->restoreOpenOrder();
    m_package->tellUnfinishedRun();

    m_login->list3()->setListIndex(0);
    m_login->showPasswordPrompt();
    m_scrllngFrm1->Attatch(m_picture2);
    m_picture2->show();

    m_state.passwordPromptShown = true;
    m_state.customerKeyIndex = 1;

    // A database that cannot be used is named at once, not found out at the first booking.
    QStringList problems = StationHealth::problems(*m_data);
    if (!m_keyProblem.isEmpty())
        problems.prepend(m_keyProblem);
    if (!problems.isEmpty())
        m_printNotice->tell(u"Veritabanı"_s, problems.join(u'\n'));

    // A column resized by the operator is saved at once.
    for (QTableView *grid : {m_order->dbGrid1(), m_report->dbGrid2()}) {
        connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, [this, grid] {
            if (grid->horizontalHeader()->property("tavranUserResize").toBool())
                GridLayouts::save(grid, m_folder, m_surface->scale());
        });
        grid->horizontalHeader()->viewport()->installEventFilter(this);
    }
}

bool Form1::orderHasRows()
{
    Recordset *rows = m_data->data3().recordset();
    return rows && rows->recordCount() > 0;
}

void Form1::closeEvent(QCloseEvent *event)
{
    // An order in progress is finished or abandoned first, never lost.
    if (orderHasRows()) {
        event->ignore();
        return;
    }
    saveGeometryToStationKey();
    if (m_scrllngFrm1->child())
        m_scrllngFrm1->Detatch()->setParent(m_surface);
    event->accept();
}

void Form1::saveGeometryToStationKey()
{
    const auto twips = [](int pixels) { return QString::number(pixels * 15); };
    WriteRegValue(u"EtTop"_s, twips(y()));
    WriteRegValue(u"EtLeft"_s, twips(x()));
    WriteRegValue(u"EtWidth"_s, twips(width()));
    WriteRegValue(u"EtHeight"_s, twips(height()));
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::ZOrderChange:
        // A screen brought to the front stays under the notice strip.
        if (watched != m_printNotice && m_printNotice && m_printNotice->isVisible()
            && watched->parent() == m_surface)
            m_printNotice->raise();
        break;
    case QEvent::KeyPress:
        if (auto *widget = qobject_cast<QWidget *>(watched); widget && widget->window() == this)
            m_state.testReadingArmed = true;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        // Only a column resized by hand is written to the layout file.
        if (auto *header = qobject_cast<QHeaderView *>(watched->parent()))
            header->setProperty("tavranUserResize", event->type() == QEvent::MouseButtonPress);
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
