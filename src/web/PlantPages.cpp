#include "web/PlantPages.h"

#include "data/TurkishText.h"
#include "office/OfficeArguments.h"
#include "reports/ReportPeriod.h"
#include "reports/ShipmentSummary.h"
#include "web/BarChart.h"
#include "web/JournalDigest.h"
#include "web/PageShell.h"
#include "web/PageTable.h"
#include "web/PlantData.h"
#include "web/WebLog.h"

#include <QDate>
#include <QMap>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcWeb, "tavran.web")

namespace {

const QByteArray CsvType = "text/csv; charset=utf-8";
const QString PollPath = u"/veri"_s;

struct Failure
{
    int status;
    QString heading;
    QString sentence;
};

WebResponse failed(const Failure &failure)
{
    WebResponse response;
    response.status = failure.status;
    response.body = PageShell::errorPage(failure.heading, failure.sentence);
    return response;
}

Failure notFound()
{
    return {404, u"Sayfa bulunamadı"_s, u"Böyle bir sayfa yok."_s};
}

Failure badDate(const QString &text)
{
    return {400, u"Geçersiz tarih"_s, u"Tarih anlaşılamadı: «%1»."_s.arg(text)};
}

Failure unreadable(const QString &why)
{
    return {503, u"Veriler okunamadı"_s,
            why.isEmpty() ? u"Kayıtlar şu anda okunamıyor."_s : u"Kayıtlar okunamıyor: %1"_s.arg(why)};
}

// The days a page covers and the trade direction.
struct Scope
{
    ReportPeriod period;
    int alsat = 0;

    bool daily() const { return period.kind() == ReportPeriod::Kind::Day; }
    QString dateText() const
    {
        return daily() ? period.firstText() : period.date().toString(u"yyyy-MM"_s);
    }
    // The page's own query: "tarih=…" or "ay=…", and "&alis=1".
    QString pageQuery(int direction) const
    {
        return (daily() ? u"tarih="_s : u"ay="_s) + dateText() + (direction ? u"&alis=1"_s : QString());
    }
    QString pagePath(int direction) const
    {
        return (daily() ? u"/gun?"_s : u"/ay?"_s) + pageQuery(direction);
    }
    QString reportCsvPath() const
    {
        return (daily() ? u"/csv/report?day="_s : u"/csv/report?month="_s) + dateText()
               + (alsat ? u"&purchase=1"_s : QString());
    }
};

// The scope a page or table asks for: "tarih" a day, "ay" a month, neither
// today; no value (and `failure` set) for a date that is not one.
std::optional<Scope> scopeOf(const QString &path, const QUrlQuery &query, Failure *failure)
{
    const int alsat = query.queryItemValue(u"alis"_s) == u"1"_s ? 1 : 0;
    const bool monthly = path.endsWith(u"/ay"_s) || (!query.hasQueryItem(u"tarih"_s) && query.hasQueryItem(u"ay"_s));
    const QString key = monthly ? u"ay"_s : u"tarih"_s;
    if (!query.hasQueryItem(key) && (path == u"/"_s || path.startsWith(u"/csv/"_s)))
        return Scope{ReportPeriod(ReportPeriod::Kind::Day, QDate::currentDate()), alsat};
    const QString text = query.queryItemValue(key, QUrl::FullyDecoded);
    const auto date = monthly ? OfficeArguments::month(text) : OfficeArguments::day(text);
    if (!date) {
        *failure = badDate(text);
        return std::nullopt;
    }
    return Scope{ReportPeriod(monthly ? ReportPeriod::Kind::Month : ReportPeriod::Kind::Day, *date), alsat};
}

QString link(const QString &href, const QString &text)
{
    return u"<a href=\"%1\">%2</a>"_s.arg(PageShell::escape(href), PageShell::escape(text));
}

QString navigation(const std::optional<Scope> &scope = std::nullopt)
{
    const QDate today = QDate::currentDate();
    QString nav = link(u"/"_s, u"Bugün"_s) + link(u"/ay?ay="_s + today.toString(u"yyyy-MM"_s), u"Bu Ay"_s);
    if (scope) {
        const bool daily = scope->daily();
        const QDate date = scope->period.date();
        const Scope before{ReportPeriod(scope->period.kind(), daily ? date.addDays(-1) : date.addMonths(-1)),
                           scope->alsat};
        const Scope after{ReportPeriod(scope->period.kind(), daily ? date.addDays(1) : date.addMonths(1)),
                          scope->alsat};
        nav += link(before.pagePath(scope->alsat), daily ? u"Önceki Gün"_s : u"Önceki Ay"_s);
        nav += link(after.pagePath(scope->alsat), daily ? u"Sonraki Gün"_s : u"Sonraki Ay"_s);
        nav += link(scope->pagePath(1 - scope->alsat), scope->alsat ? u"Satışlar"_s : u"Alışlar"_s);
    }
    return nav + link(u"/son"_s, u"Son Paketler"_s) + link(u"/istasyonlar"_s, u"İstasyonlar"_s);
}

QString isoTime(const QString &stored)
{
    return QString(stored).replace(u'T', u' ');
}

QList<QList<PageCell>> groupRows(const QList<GroupTotal> &groups)
{
    QList<QList<PageCell>> rows;
    for (const GroupTotal &group : groups)
        rows.append(QList<PageCell>{{group.name}, PageCell::number(group.packages), PageCell::kg(group.kilo)});
    return rows;
}

class Pages
{
public:
    Pages(const QString &folder, const QString &centralUrl)
        : m_folder(folder)
        , m_data(folder, centralUrl)
    {
    }

    std::optional<Failure> problem() const
    {
        if (m_data.isOpen())
            return std::nullopt;
        return unreadable(m_data.error());
    }

    QString marker() const
    {
        const QString plant = m_data.changeMarker();
        const QString journal = m_folder.isEmpty() ? u"0"_s : JournalDigest::changeMarker(m_folder);
        return plant.isEmpty() || journal.isEmpty() ? QString() : plant + u'-' + journal;
    }

    std::optional<QList<ProductTotal>> products(const Scope &scope) const
    {
        return m_data.productTotals(scope.alsat, scope.period);
    }

    std::optional<PageTable> productTable(const Scope &scope, const QList<ProductTotal> &totals) const
    {
        PageTable table{u"urunler"_s, u"Ürünler"_s, {u"Ürün"_s, u"Kilo"_s}, {}, {}, {}, {}};
        for (const ProductTotal &row : totals)
            table.rows.append(QList<PageCell>{{row.product}, PageCell::kg(row.kilo)});
        table.footer = {{u"Toplam"_s}, PageCell::kg(ShipmentTotals::grandTotal(totals))};
        table.emptyNote = u"Bu dönemde stok hareketi yok."_s;
        table.csvLink = scope.reportCsvPath();
        return table;
    }

    std::optional<PageTable> customerTable(const Scope &scope) const
    {
        const auto groups = m_data.customerTotals(scope.alsat, scope.period);
        if (!groups)
            return std::nullopt;
        return PageTable{u"cari"_s, u"Müşteriler"_s, {u"Cari"_s, u"Paket"_s, u"Kilo"_s}, groupRows(*groups),
                         {}, u"Bu dönemde fişe bağlanmış paket kaydı yok."_s,
                         u"/csv/cari?"_s + scope.pageQuery(scope.alsat)};
    }

    std::optional<PageTable> stationTable(const Scope &scope) const
    {
        const auto groups = m_data.stationTotals(scope.period);
        if (!groups)
            return std::nullopt;
        return PageTable{u"istasyon"_s, u"İstasyonlarda Tartılan Paketler"_s,
                         {u"İstasyon"_s, u"Paket"_s, u"Kilo"_s}, groupRows(*groups), {},
                         u"Bu dönemde tartılan paket kaydı yok."_s,
                         u"/csv/istasyon?"_s + scope.pageQuery(scope.alsat)};
    }

    std::optional<PageTable> packageTable() const
    {
        const auto packages = m_data.lastPackages(PlantPages::LastRows);
        if (!packages)
            return std::nullopt;
        PageTable table{u"paketler"_s, u"Son Paketler"_s,
                        {u"Sıra"_s, u"Zaman"_s, u"İstasyon"_s, u"Personel"_s, u"Ürün"_s, u"Kilo"_s,
                         u"Dara"_s, u"Parti"_s, u"Cari"_s},
                        {}, {}, u"Henüz paket kaydı yok."_s, u"/csv/paketler"_s};
        for (const PackageRow &p : *packages) {
            table.rows.append(QList<PageCell>{PageCell::number(p.sira), {isoTime(p.zaman)}, {p.istasyon}, {p.personel},
                               {p.product}, PageCell::kg(p.kilo), PageCell::kg(p.dara), {p.parti}, {p.cari}});
        }
        return table;
    }

    std::optional<PageTable> slipTable() const
    {
        PageTable table{u"fisler"_s, u"Son Fişler"_s,
                        {u"Zaman"_s, u"İstasyon"_s, u"Personel"_s, u"Cari"_s, u"Satır"_s, u"Kilo"_s,
                         u"Yazıcı"_s, u"Durum"_s},
                        {}, {}, u"Kayıt defterinde fiş yok."_s, u"/csv/fisler"_s};
        if (m_folder.isEmpty())
            return table;
        const auto slips = JournalDigest::lastSlips(m_folder, PlantPages::LastRows);
        if (!slips)
            return std::nullopt;
        for (const SlipRow &s : *slips) {
            table.rows.append(QList<PageCell>{{isoTime(s.time)}, {s.station}, {s.staff}, {s.customer}, PageCell::number(s.rows),
                               PageCell::kg(s.kilo), {s.printer},
                               {s.reason.isEmpty() ? u"Basıldı"_s : u"İptal: "_s + s.reason}});
        }
        return table;
    }

    std::optional<PageTable> activityTable() const
    {
        QMap<QString, StationActivity> byFold; // one row per station, in Turkish order below
        if (!m_folder.isEmpty()) {
            const auto journal = JournalDigest::stations(m_folder);
            if (!journal)
                return std::nullopt;
            for (const StationActivity &a : *journal)
                byFold[a.station] = a;
        }
        const auto packages = m_data.lastPackageTimes();
        if (!packages)
            return std::nullopt;
        for (const auto &[station, zaman] : *packages) {
            StationActivity &a = byFold[station];
            a.station = station;
            if (zaman > a.lastTime) {
                a.lastTime = zaman;
                a.lastKind = u"paket"_s;
            }
        }
        QList<QString> names = byFold.keys();
        PageTable table{u"istasyonlar"_s, u"İstasyonlar"_s,
                        {u"İstasyon"_s, u"Son Etkinlik"_s, u"Son İşlem"_s, u"Son Hata Zamanı"_s, u"Son Hata"_s},
                        {}, {}, u"Henüz hiçbir istasyondan kayıt yok."_s, u"/csv/istasyonlar"_s};
        for (int position : TurkishText::alphabeticalOrder(names)) {
            const StationActivity &a = byFold[names[position]];
            table.rows.append(QList<PageCell>{{a.station}, {isoTime(a.lastTime)}, {a.lastKind}, {isoTime(a.errorTime)},
                               {a.errorKind.isEmpty() ? QString() : a.errorKind + u": "_s + a.errorReason}});
        }
        return table;
    }

private:
    QString m_folder;
    PlantData m_data;
};

QPair<QByteArray, QByteArray> header(const QByteArray &name, const QByteArray &value)
{
    return {name, value};
}

WebResponse page(const QString &title, const QString &nav, const QString &main, const QString &marker)
{
    WebResponse response;
    response.body = PageShell::document(title, nav, main, marker, PollPath);
    response.headers.append(header("Cache-Control", "no-store"));
    return response;
}

WebResponse csvFile(const QByteArray &bytes, const QString &name)
{
    WebResponse response;
    response.contentType = CsvType;
    response.body = bytes;
    response.headers.append(header("Content-Disposition", "attachment; filename=\"" + name.toUtf8() + ".csv\""));
    response.headers.append(header("Cache-Control", "no-store"));
    return response;
}

// `tavran report --csv`'s bytes: the same parameters, the same sums, the same writer.
WebResponse reportCsv(const Pages &pages, const QUrlQuery &query)
{
    const bool daily = query.hasQueryItem(u"day"_s);
    if (daily == query.hasQueryItem(u"month"_s)) {
        return failed({400, u"Geçersiz istek"_s, u"Bir gün (day=YYYY-AA-GG) ya da bir ay (month=YYYY-AA) gerekli."_s});
    }
    const QString text = query.queryItemValue(daily ? u"day"_s : u"month"_s, QUrl::FullyDecoded);
    const auto date = daily ? OfficeArguments::day(text) : OfficeArguments::month(text);
    if (!date)
        return failed(badDate(text));
    const Scope scope{ReportPeriod(daily ? ReportPeriod::Kind::Day : ReportPeriod::Kind::Month, *date),
                      query.queryItemValue(u"purchase"_s) == u"1"_s ? 1 : 0};
    const auto totals = pages.products(scope);
    if (!totals)
        return failed(unreadable(ShipmentTotals::UnreadableCaption));
    return csvFile(ShipmentTotals::csv(*totals),
                   u"rapor-"_s + scope.dateText() + (scope.alsat ? u"-alis"_s : u"-satis"_s));
}

WebResponse periodPage(const Pages &pages, const Scope &scope)
{
    const QString marker = pages.marker();
    const auto totals = pages.products(scope);
    if (!totals)
        return failed(unreadable(ShipmentTotals::UnreadableCaption));
    const auto products = pages.productTable(scope, *totals);
    const auto customers = pages.customerTable(scope);
    const auto stations = pages.stationTable(scope);
    if (!products || !customers || !stations)
        return failed(unreadable({}));
    const ShipmentSummary summary(scope.period, {}, {}, {});
    const QString title = summary.title() + u" - "_s + summary.periodText()
                          + (scope.alsat ? u" (ALIŞ)"_s : u" (SATIŞ)"_s);
    return page(title, navigation(scope),
                BarChart::svg(*totals) + products->html() + customers->html() + stations->html(), marker);
}

} // namespace

PlantPages::PlantPages(const QString &stationFolder, const QString &centralUrl)
    : m_folder(stationFolder)
    , m_centralUrl(centralUrl)
{
}

WebResponse PlantPages::respond(const WebRequest &request) const
{
    const QString &path = request.path;
    const bool known = path == u"/"_s || path == u"/gun"_s || path == u"/ay"_s || path == u"/son"_s
                       || path == u"/istasyonlar"_s || path == PollPath || path == u"/csv/report"_s
                       || path == u"/csv/urunler"_s || path == u"/csv/cari"_s || path == u"/csv/istasyon"_s
                       || path == u"/csv/paketler"_s
                       || path == u"/csv/fisler"_s || path == u"/csv/istasyonlar"_s;
    if (!known)
        return failed(notFound());

    Failure failure{};
    std::optional<Scope> scope;
    if (path == u"/"_s || path == u"/gun"_s || path == u"/ay"_s || path == u"/csv/urunler"_s
        || path == u"/csv/cari"_s || path == u"/csv/istasyon"_s) {
        scope = scopeOf(path, request.query, &failure);
        if (!scope)
            return failed(failure);
    }

    const Pages pages(m_folder, m_centralUrl);
    if (path == PollPath) {
        WebResponse response;
        response.contentType = "application/json";
        response.body = "{\"isaret\":\"" + pages.marker().toUtf8() + "\"}";
        response.headers.append(header("Cache-Control", "no-store"));
        return response;
    }
    if (const auto problem = pages.problem())
        return failed(*problem);
    if (path == u"/csv/report"_s)
        return reportCsv(pages, request.query);
    if (scope && !path.startsWith(u"/csv/"_s))
        return periodPage(pages, *scope);
    if (path == u"/csv/urunler"_s) {
        // The products' table in the page's own terms: the report's bytes.
        const auto totals = pages.products(*scope);
        if (!totals)
            return failed(unreadable(ShipmentTotals::UnreadableCaption));
        return csvFile(ShipmentTotals::csv(*totals), u"urunler-"_s + scope->dateText());
    }

    const QString marker = pages.marker();
    std::optional<PageTable> table;
    std::optional<PageTable> second;
    if (path == u"/csv/cari"_s)
        table = pages.customerTable(*scope);
    else if (path == u"/csv/istasyon"_s)
        table = pages.stationTable(*scope);
    else if (path == u"/son"_s || path == u"/csv/paketler"_s)
        table = pages.packageTable();
    else if (path == u"/istasyonlar"_s || path == u"/csv/istasyonlar"_s)
        table = pages.activityTable();
    if (path == u"/son"_s || path == u"/csv/fisler"_s)
        second = pages.slipTable();
    if (path == u"/csv/fisler"_s)
        std::swap(table, second);
    if (!table || (path == u"/son"_s && !second))
        return failed(unreadable({}));

    if (path.startsWith(u"/csv/"_s)) {
        const QString name = path.mid(5) + (scope ? u'-' + scope->dateText() : QString());
        return csvFile(table->csv(), name);
    }
    if (path == u"/son"_s)
        return page(u"Son Paketler ve Fişler"_s, navigation(), table->html() + second->html(), marker);
    return page(u"İstasyonlar"_s, navigation(), table->html(), marker);
}
