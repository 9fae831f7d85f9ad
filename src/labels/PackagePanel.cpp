#include "labels/PackagePanel.h"

#include "station/EngineText.h"
#include "station/StationState.h"
#include "ui_support/StationWindow.h"
#include "data/StationData.h"
#include "journal/Journal.h"
#include "labels/LabelContent.h"
#include "labels/ChoosePrinter.h"
#include "gs1/Gs1ElementString.h"
#include "labels/LotEntry.h"
#include "labels/ScanWedge.h"
#include "station/NumberText.h"
#include "labels/LabelJournal.h"
#include "labels/PackageLabel.h"
#include "weighing/UnfinishedRun.h"
#include "printing/PreviewPicture.h"
#include "printing/PrintJobResult.h"
#include "printing/PrintNotice.h"
#include "printing/PrinterJob.h"
#include "ui_support/ScrollingContainer.h"
#include "scale/ScaleCapacity.h"
#include "scale/ScalePanel.h"
#include "ui_support/CaptionLabel.h"
#include "ui_support/FittingCaptionLabel.h"
#include "weighing/OrderRows.h"
#include "weighing/PackageRun.h"
#include "weighing/WeightCaptions.h"
#include "ui_support/Colors.h"
#include "ui_support/Control.h"
#include "ui_support/TouchStyle.h"
#include "ui_support/TwipsGeometry.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLoggingCategory>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcPackage, "tavran.labels")

namespace {
const QString LabelDocument = u"Etiket"_s;
}

PackagePanel::PackagePanel(StationWindow &form, QWidget *frame2)
    : QObject(frame2)
    , m_form(form)
{
    const QString label2Captions[] = {u" Tartılan Ürün "_s, u" Dana Kuşbaşı"_s, u" Anlık Kg"_s,
                                      u" Önceki Kg"_s,      u" Toplam Kg"_s,    QString()};
    const QRect label2Places[] = {{240, 240, 3600, 900},   {3960, 240, 7320, 900},
                                  {240, 2160, 3600, 1440}, {240, 3720, 3600, 1440},
                                  {240, 5280, 3600, 1440}, {240, 1260, 14790, 720}};
    for (int i = 0; i < 6; ++i) {
        auto *label = new CaptionLabel(label2Captions[i], frame2);
        label->setObjectName(Control::arrayName(u"Label2"_s, i));
        connect(label, &CaptionLabel::doubleClicked, this, [this, i] { onTestReading(i); });
        Control::setBackColor(label, i == 1 ? Colors::Yellow : Colors::White);
        const QRect r = label2Places[i];
        TwipsGeometry::place(label, r.x(), r.y(), r.width(), r.height(), i >= 2 && i <= 4 ? 24 : 20);
        m_label2[i] = label;
    }
    for (int i = 0; i < 3; ++i) {
        auto *label = new FittingCaptionLabel(u"0 Kg "_s, frame2);
        label->setObjectName(Control::arrayName(u"Label4"_s, i));
        connect(label, &CaptionLabel::changed, this, &PackagePanel::onWeightChanged);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Control::setBackColor(label, 0);
        Control::setForeColor(label, i == 0 ? Colors::Green : Colors::Yellow);
        TwipsGeometry::place(label, 3960, 2160 + i * 1560, 7320, 1440, 48);
        m_label4[i] = label;
    }
    // A weight its scale calls moving or out of range: marked, never added.
    m_stableMark = new QLabel(u"≈"_s, m_label4[0]);
    m_stableMark->setObjectName(u"StableMark"_s);
    Control::setForeColor(m_stableMark, Colors::Yellow);
    TwipsGeometry::place(m_stableMark, 120, 0, 900, 1440, 48);
    m_stableMark->hide();
    m_notice = new QLabel(frame2);
    m_notice->setObjectName(u"TartiNotice"_s);
    Control::setForeColor(m_notice, Colors::Red);
    TwipsGeometry::place(m_notice, 240, 6840, 11040, 600, 18);
    m_notice->hide();
    m_stableWait.setSingleShot(true);
    m_stableWait.setInterval(StableWait);
    connect(&m_stableWait, &QTimer::timeout, this, [this] {
        m_notice->setText(u"Tartı sabit değil"_s);
        m_notice->show();
    });

    const QString command4Captions[] = {QString(), u"Tartım Tamam"_s, u" Ekle Ve Devam Et"_s,
                                        u"Ürün Seçimine Geri Dön"_s};
    const int command4Tops[] = {0, 3720, 2160, 5280};
    for (int i = 1; i <= 3; ++i) {
        auto *button = new QPushButton(command4Captions[i], frame2);
        Control::setUp(button, Control::arrayName(u"Command4"_s, i),
                       i == 3 ? Colors::Yellow : Colors::Green, {11520, command4Tops[i], 3510, 1440}, i == 3 ? 13 : 16);
        m_command4[i] = button;
    }
    m_command4[1]->setEnabled(false);
    m_command4[2]->setEnabled(false);

    m_paketYaz = new QCheckBox(u"Paket Yaz"_s, frame2);
    m_paketYaz->setObjectName(u"PaketYaz"_s);
    TwipsGeometry::place(m_paketYaz, 11520, 6840, 3510, 690, 18);
    TouchStyle::apply(m_paketYaz);
    showLabelSwitch(false);

    m_frame4 = new QFrame(frame2);
    m_frame4->setObjectName(u"Frame4"_s);
    TwipsGeometry::place(m_frame4, 11520, 7560, 3510, 2700);
    m_frame4->hide();
    const QString command7Captions[] = {u"Son Kullanma 10 Gün"_s, u"  Son Kullanma 1 Yıl"_s};
    for (int i = 0; i < 2; ++i) {
        auto *button = new QPushButton(command7Captions[i], m_frame4);
        Control::setUp(button, Control::arrayName(u"Command7"_s, i), Colors::Yellow,
                       {0, i * 1380, 3510, 1300}, 14);
        m_command7[i] = button;
        connect(button, &QPushButton::clicked, this, [this, i] { chooseUseBy(i); });
    }

    // The lot and the tare of the product on the scale, big enough for a glove.
    m_partiButton = new QPushButton(frame2);
    Control::setUp(m_partiButton, u"PartiButton"_s, Colors::Yellow, {240, 7500, 5400, 960}, 16);
    m_daraLabel = new QLabel(frame2);
    Control::setUp(m_daraLabel, u"DaraLbl"_s, Colors::White, {5760, 7500, 5400, 960}, 16);
    m_lotEntry = new LotEntry(frame2);
    connect(m_partiButton, &QPushButton::clicked, this, [this] { m_lotEntry->open(m_extra.lot); });
    connect(m_lotEntry, &LotEntry::lotChosen, this,
            [this](const QString &lot) { setLot(lot, m_extra.animal); });
    auto *wedge = new ScanWedge(
        frame2->window(), [this, frame2] { return frame2->isVisible() && !m_lotEntry->isOpen(); }, this);
    connect(wedge, &ScanWedge::scanned, this, &PackagePanel::onScanned);
    showExtras();

    connect(m_command4[2], &QPushButton::clicked, this, &PackagePanel::addPackage);
    connect(m_command4[1], &QPushButton::clicked, this, &PackagePanel::finishProduct);
    connect(m_command4[3], &QPushButton::clicked, this, &PackagePanel::backToProducts);
    connect(m_paketYaz, &QCheckBox::toggled, this, &PackagePanel::onPaketYazToggled);
    PrinterChoiceOnRightClick::attach(m_paketYaz, LabelPrinterKey);
    m_run = new PackageRun(form.data(), this);
}

void PackagePanel::onWeightChanged()
{
    m_command4[1]->setEnabled(WeightCaptions::isNonZero(m_label4[2]->caption()));
    m_command4[2]->setEnabled(canAddReading());

    const ScalePanel &scale = m_form.scalePanel();
    m_stableMark->setVisible(!scale.isLiveStable() && scale.liveScale() >= 0);
    // A package waiting for its scale to settle is added with the settled weight.
    if (m_stableWait.isActive() && scale.isLiveStable() && scale.liveScale() == m_waitScale
        && canAddReading()) {
        m_stableWait.stop();
        addReading();
    }
}

bool PackagePanel::canAddReading() const
{
    // A weight from a scale must still be fresh and in kilograms.
    const ScalePanel &scale = m_form.scalePanel();
    return ScaleCapacity::isAddable(m_label4[0]->caption(), ScaleCapacity::maxKg())
        && (scale.liveScale() < 0 || scale.isLiveAddable());
}

void PackagePanel::onTestReading(int index)
{
    StationState &state = m_form.state();
    if (state.testReadingArmed)
        m_label4[0]->setCaption(index == 1 ? u"45,125 Kg "_s : u"65,125 Kg "_s);
    state.testReadingArmed = false;
}

void PackagePanel::startWeighing()
{
    m_label2[5]->setCaption(m_form.listedCustomer());
    m_label4[1]->setCaption(u"0 Kg "_s);
    m_label4[2]->setCaption(u"0 Kg "_s);
    m_packages = 0;
    m_run->start();
    UnfinishedRun::clear(m_form.stationFolder());
    // A keyboard left open belongs to the product before.
    m_lotEntry->close();
    loadExtras(m_extra.product);
}

void PackagePanel::addPackage()
{
    // A finger that bounces adds the package once.
    if (!m_addTaps.accept() || !canAddReading() || m_stableWait.isActive())
        return;
    const ScalePanel &scale = m_form.scalePanel();
    if (!scale.isLiveStable()) {
        m_waitScale = scale.liveScale();
        m_stableWait.start();
        return;
    }
    addReading();
}

void PackagePanel::addReading()
{
    m_notice->hide();
    // The package is what the scale holds less its tray or box.
    QString package = m_label4[0]->caption();
    if (m_extra.tareKg != 0) {
        const double reading = WeightCaptions::value(package);
        if (m_extra.tareKg >= reading) {
            tell(u"Dara (%1) tartılan ağırlıktan (%2) küçük olmalı: paket eklenmedi"_s.arg(
                NumberText::weightCaption(m_extra.tareKg).trimmed(), package.trimmed()));
            return;
        }
        package = NumberText::weightCaption(reading - m_extra.tareKg);
    }
    const auto [previous, total] = WeightCaptions::addPackage(package, m_label4[2]->caption());
    m_label4[1]->setCaption(previous);
    m_label4[2]->setCaption(total);
    ++m_packages;
    recordPackage(WeightCaptions::value(previous));
    if (!UnfinishedRun::keep(m_form.stationFolder(),
                             {m_label2[1]->caption().trimmed(), WeightCaptions::value(total), m_packages}))
        qCWarning(lcPackage) << "the weighing in progress could not be recorded in" << m_form.stationFolder();
    emit packageAdded();
}

void PackagePanel::recordPackage(double kilo)
{
    PackageRecord record;
    record.product = m_label2[1]->caption().trimmed();
    if (Recordset *products = m_form.data().data4().recordset())
        record.barkod = products->value(u"Barkod"_s).toString();
    record.kilo = kilo;
    record.station = m_form.journal().station();
    record.staff = m_form.staffName();
    m_run->add(record);
    m_form.journal().package(record.product, kilo, record.barkod, record.lot, record.animal);
}

void PackagePanel::finishProduct()
{
    // A second tap while the first is still booking books nothing more.
    if (m_finishing || !m_command4[1]->isEnabled())
        return;
    m_finishing = true;
    m_command4[1]->setEnabled(false);
    static const QString BookingNotice = u"Tartım"_s;

    StationData &data = m_form.data();
    Recordset *rows = data.data3().recordset();
    Recordset *products = data.data4().recordset();
    const QString barkod = products ? products->value(0).toString() : QString();
    const QString productTotal = m_label4[2]->caption();
    QString reason;
    const auto addRow = [&] {
        return OrderRows::addFinishedProduct(*rows, m_label2[1]->caption(), WeightCaptions::value(productTotal),
                                             barkod);
    };
    if (!rows || !m_run->finish(addRow, currentLabel().barcodeCode(), &reason)) {
        // The operator must know the product is not in the order; the
        // weighing screen keeps its total for another try.
        if (reason.isEmpty())
            reason = rows ? rows->lastError() : u"Tavran.db açılamadı"_s;
        RefreshDataControl(data.data3());
        qCWarning(lcPackage) << "the finished product could not be booked:" << reason;
        m_form.printNotice()->tell(BookingNotice, u"Tartım kaydedilemedi: "_s + EngineText::forOperator(reason));
        m_finishing = false;
        onWeightChanged();
        return;
    }
    UnfinishedRun::clear(m_form.stationFolder());
    m_form.printNotice()->withdraw(BookingNotice);
    m_form.journal().finishedProduct(m_label2[1]->caption(), WeightCaptions::value(productTotal),
                                     LabelContent::barcodeCode(barkod, productTotal).value_or(QString()));
    RefreshDataControl(data.data3());
    m_stableWait.stop();
    m_form.frame2()->hide();
    emit productFinished(productTotal);
    m_finishing = false;
    if (m_paketYaz->isChecked())
        printLabel();
}

void PackagePanel::backToProducts()
{
    m_stableWait.stop();
    UnfinishedRun::clear(m_form.stationFolder());
    m_form.frame2()->hide();
}

void PackagePanel::tellUnfinishedRun()
{
    m_run->sendQueued(); // what a stop kept from the server
    const std::optional<UnfinishedRun::Run> run = UnfinishedRun::take(m_form.stationFolder());
    if (!run)
        return;
    // Killed after "Tartım Tamam" stored the row but before the record went:
    // the run is on the order and nothing was lost.
    if (Recordset *rows = m_form.data().data3().recordset(); rows && rows->recordCount() > 0) {
        const int last = rows->recordCount() - 1;
        if (rows->valueAt(last, rows->fieldIndex(u"Ürün"_s)).toString().trimmed() == run->product
            && qAbs(rows->valueAt(last, rows->fieldIndex(u"Kilo"_s)).toDouble() - run->kilograms) < 0.0005)
            return;
    }
    qCWarning(lcPackage) << "packages left off the order by a stop:" << run->product << run->kilograms;
    m_form.printNotice()->tell(u"Tartım"_s, UnfinishedRun::lostNotice(*run));
}

void PackagePanel::chooseUseBy(int index)
{
    Control::setBackColor(m_command7[0], Colors::Yellow);
    Control::setBackColor(m_command7[1], Colors::Yellow);
    Control::setBackColor(m_command7[index], Colors::Green);
    m_frame4->hide();
}

bool PackagePanel::yearRule() const
{
    return Control::backColor(m_command7[1]) == Colors::Green;
}

void PackagePanel::onPaketYazToggled(bool checked)
{
    m_frame4->setVisible(checked);
    showLabelSwitch(checked);
}

void PackagePanel::showLabelSwitch(bool on)
{
    // Off must be seen from the scale: products would leave unlabelled.
    Control::setBackColor(m_paketYaz, on ? Colors::Green : Colors::Red);
    Control::setForeColor(m_paketYaz, on ? 0 : Colors::White);
    QPalette box = m_paketYaz->palette();
    box.setColor(QPalette::Base, Qt::white);
    box.setColor(QPalette::Text, Qt::black);
    m_paketYaz->setPalette(box);
}

void PackagePanel::showProduct(const QString &name)
{
    m_label2[1]->setCaption(name);
    loadExtras(name);
}

void PackagePanel::loadExtras(const QString &product)
{
    const auto extra = m_form.data().productExtra(product);
    if (!extra) {
        // Weighed without its tare the package would be booked too heavy.
        qCWarning(lcPackage) << "extras of" << product << "could not be read";
        tell(u"Ürünün dara ve parti bilgisi okunamadı"_s);
    }
    m_extra = extra.value_or(ProductExtra{product, {}, 0, {}, {}});
    showExtras();
}

void PackagePanel::showExtras()
{
    m_partiButton->setText(u"Parti No\n"_s + (m_extra.lot.isEmpty() ? u"Üretim Tarihi"_s : m_extra.lot));
    m_daraLabel->setText(u" Dara "_s + NumberText::weightCaption(m_extra.tareKg));
    m_daraLabel->setVisible(m_extra.tareKg != 0);
}

void PackagePanel::tell(const QString &notice)
{
    m_notice->setText(notice);
    m_notice->show();
}

void PackagePanel::setLot(const QString &lot, const QString &animal)
{
    m_extra.lot = lot;
    m_extra.animal = animal;
    showExtras();
    if (!m_form.data().rememberLot(m_extra.product, lot, animal))
        tell(u"Parti No bu tartım için alındı ama ürün için saklanamadı"_s);
}

void PackagePanel::onScanned(const QString &text)
{
    const Gs1ElementString::Parsed parsed = Gs1ElementString::parse(text);
    const QString lot = parsed.value(u"10"_s);
    const QString animal = parsed.value(u"251"_s);
    if (!parsed.ok() || (lot.isEmpty() && animal.isEmpty())) {
        qCInfo(lcPackage) << "scanned text sets no lot:" << text << parsed.error;
        tell(u"Okutulan barkodda Parti No (10) ya da Hayvan No (251) yok"_s);
        return;
    }
    m_notice->hide();
    setLot(lot.isEmpty() ? m_extra.lot : lot, animal.isEmpty() ? m_extra.animal : animal);
}

PackageLabel PackagePanel::currentLabel() const
{
    PackageLabel label;
    label.product = m_label2[1]->caption();
    label.customer = m_form.customerTitle();
    label.weightText = m_label4[2]->caption();
    if (Recordset *products = m_form.data().data4().recordset())
        label.barkod = products->value(u"Barkod"_s).toString();
    label.headerLines = m_form.state().headerLines;
    label.today = QDate::currentDate();
    label.yearRule = yearRule();
    label.barcode = LabelBarcodeSettings::read();
    label.lot = m_extra.lot;
    label.animal = m_extra.animal;
    label.gtin = m_extra.gtin;
    label.tareKg = m_extra.tareKg;
    return label;
}

void PackagePanel::printLabel()
{
    const PackageLabel label = currentLabel();
    // Refused before the preview: nothing half-right reaches the printer.
    if (const QString why = label.refusal(); !why.isEmpty()) {
        qCWarning(lcPackage) << "label refused:" << why;
        m_form.printNotice()->tell(LabelDocument, u"Etiket basılmadı: "_s + why);
        return;
    }

    ScrollingContainer *container = m_form.scrllngFrm1();
    container->show();
    container->raise();
    const int previewHeight = TwipsGeometry::twipsRect(container).height();
    label.draw(m_form.picture2()->page(), PackageLabel::Target::Preview, previewHeight);
    sendLabel(label, {});
    container->hide();
}

void PackagePanel::reprintLabel()
{
    if (!m_unprintedLabel)
        return;
    if (const auto label = LabelJournal::label(*m_unprintedLabel, m_form.state().headerLines))
        sendLabel(*label, u"yeniden basım"_s);
}

void PackagePanel::onRetryRequested(const QString &topic)
{
    if (topic == LabelDocument)
        reprintLabel();
}

void PackagePanel::sendLabel(const PackageLabel &label, const QString &detail)
{
    PrinterJob job(LabelPrinterKey, LabelDocument);
    label.draw(job, PackageLabel::Target::Page);
    const PrintJobResult result = job.endDoc();
    const JournalEntry entry = LabelJournal::entry(label, job.queueName(), result, detail);
    m_form.journal().append(entry);
    m_form.printNotice()->report(result);
    m_unprintedLabel.reset();
    if (!result.printed) {
        m_unprintedLabel = entry;
        m_form.printNotice()->offerRetry(u"Tekrar Yazdır"_s);
        connect(m_form.printNotice(), &PrintNotice::retryRequested, this,
                &PackagePanel::onRetryRequested, Qt::UniqueConnection);
    }
}
