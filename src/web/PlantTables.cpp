#include "web/PlantTables.h"

#include "data/TurkishText.h"
#include "web/JournalDigest.h"

#include <QMap>

using namespace Qt::StringLiterals;

namespace {

QString isoTime(const QString &stored)
{
    return QString(stored).replace(u'T', u' ');
}

// A table of packages and kilograms per name (customer or station).
std::optional<PageTable> groupTable(const std::optional<QList<GroupTotal>> &groups, const QString &id,
                                    const QString &title, const QString &nameHeader, const QString &emptyNote,
                                    const PageScope &scope)
{
    if (!groups)
        return std::nullopt;
    PageTable table{id,
                    title,
                    {nameHeader, u"Paket"_s, u"Kilo"_s},
                    {},
                    {},
                    emptyNote,
                    u"/csv/"_s + id + u'?' + scope.pageQuery(scope.alsat)};
    for (const GroupTotal &group : *groups)
        table.rows.append(
            QList<PageCell>{{group.name}, PageCell::number(group.packages), PageCell::kg(group.kilo)});
    return table;
}

} // namespace

PlantTables::PlantTables(const QString &stationFolder, const QString &centralUrl)
    : m_folder(stationFolder)
    , m_data(stationFolder, centralUrl)
{
}

std::optional<QString> PlantTables::problem() const
{
    if (m_data.isOpen())
        return std::nullopt;
    return m_data.error();
}

QString PlantTables::marker() const
{
    const QString plant = m_data.changeMarker();
    const QString journal = m_folder.isEmpty() ? u"0"_s : JournalDigest::changeMarker(m_folder);
    return plant.isEmpty() || journal.isEmpty() ? QString() : plant + u'-' + journal;
}

std::optional<QList<ProductTotal>> PlantTables::products(const PageScope &scope) const
{
    return m_data.productTotals(scope.alsat, scope.period);
}

PageTable PlantTables::productTable(const PageScope &scope, const QList<ProductTotal> &totals)
{
    PageTable table{u"urunler"_s, u"Ürünler"_s, {u"Ürün"_s, u"Kilo"_s}, {}, {}, {}, {}};
    for (const ProductTotal &row : totals)
        table.rows.append(QList<PageCell>{{row.product}, PageCell::kg(row.kilo)});
    table.footer = {{u"Toplam"_s}, PageCell::kg(ShipmentTotals::grandTotal(totals))};
    table.emptyNote = u"Bu dönemde stok hareketi yok."_s;
    table.csvLink = scope.reportCsvPath();
    return table;
}

std::optional<PageTable> PlantTables::customerTable(const PageScope &scope) const
{
    return groupTable(m_data.customerTotals(scope.alsat, scope.period), u"cari"_s, u"Müşteriler"_s, u"Cari"_s,
                      u"Bu dönemde fişe bağlanmış paket kaydı yok."_s, scope);
}

std::optional<PageTable> PlantTables::stationTable(const PageScope &scope) const
{
    return groupTable(m_data.stationTotals(scope.period), u"istasyon"_s, u"İstasyonlarda Tartılan Paketler"_s,
                      u"İstasyon"_s, u"Bu dönemde tartılan paket kaydı yok."_s, scope);
}

std::optional<PageTable> PlantTables::packageTable(int count) const
{
    const auto packages = m_data.lastPackages(count);
    if (!packages)
        return std::nullopt;
    PageTable table{u"paketler"_s,
                    u"Son Paketler"_s,
                    {u"Sıra"_s, u"Zaman"_s, u"İstasyon"_s, u"Personel"_s, u"Ürün"_s, u"Kilo"_s, u"Dara"_s,
                     u"Parti"_s, u"Cari"_s},
                    {},
                    {},
                    u"Henüz paket kaydı yok."_s,
                    u"/csv/paketler"_s};
    for (const PackageRow &p : *packages) {
        table.rows.append(QList<PageCell>{PageCell::number(p.sira),
                                          {isoTime(p.zaman)},
                                          {p.istasyon},
                                          {p.personel},
                                          {p.product},
                                          PageCell::kg(p.kilo),
                                          PageCell::kg(p.dara),
                                          {p.parti},
                                          {p.cari}});
    }
    return table;
}

std::optional<PageTable> PlantTables::slipTable(int count) const
{
    PageTable table{
        u"fisler"_s,
        u"Son Fişler"_s,
        {u"Zaman"_s, u"İstasyon"_s, u"Personel"_s, u"Cari"_s, u"Satır"_s, u"Kilo"_s, u"Yazıcı"_s, u"Durum"_s},
        {},
        {},
        u"Kayıt defterinde fiş yok."_s,
        u"/csv/fisler"_s};
    if (m_folder.isEmpty())
        return table;
    const auto slips = JournalDigest::lastSlips(m_folder, count);
    if (!slips)
        return std::nullopt;
    for (const SlipRow &s : *slips) {
        table.rows.append(QList<PageCell>{{isoTime(s.time)},
                                          {s.station},
                                          {s.staff},
                                          {s.customer},
                                          PageCell::number(s.rows),
                                          PageCell::kg(s.kilo),
                                          {s.printer},
                                          {s.reason.isEmpty() ? u"Basıldı"_s : u"İptal: "_s + s.reason}});
    }
    return table;
}

std::optional<PageTable> PlantTables::activityTable() const
{
    QMap<QString, StationActivity> byStation; // one row per station name
    if (!m_folder.isEmpty()) {
        const auto journal = JournalDigest::stations(m_folder);
        if (!journal)
            return std::nullopt;
        for (const StationActivity &a : *journal)
            byStation[a.station] = a;
    }
    const auto packages = m_data.lastPackageTimes();
    if (!packages)
        return std::nullopt;
    for (const auto &[station, zaman] : *packages) {
        StationActivity &a = byStation[station];
        a.station = station;
        if (zaman > a.lastTime) {
            a.lastTime = zaman;
            a.lastKind = u"paket"_s;
        }
    }
    QList<QString> names = byStation.keys();
    PageTable table{u"istasyonlar"_s,
                    u"İstasyonlar"_s,
                    {u"İstasyon"_s, u"Son Etkinlik"_s, u"Son İşlem"_s, u"Son Hata Zamanı"_s, u"Son Hata"_s},
                    {},
                    {},
                    u"Henüz hiçbir istasyondan kayıt yok."_s,
                    u"/csv/istasyonlar"_s};
    for (int position : TurkishText::alphabeticalOrder(names)) {
        const StationActivity &a = byStation[names[position]];
        table.rows.append(
            QList<PageCell>{{a.station},
                            {isoTime(a.lastTime)},
                            {a.lastKind},
                            {isoTime(a.errorTime)},
                            {a.errorKind.isEmpty() ? QString() : a.errorKind + u": "_s + a.errorReason}});
    }
    return table;
}
