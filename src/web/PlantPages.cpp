#include "web/PlantPages.h"

#include "office/OfficeArguments.h"
#include "reports/ShipmentSummary.h"
#include "web/BarChart.h"
#include "web/PageShell.h"
#include "web/PlantTables.h"
#include "web/PagesLog.h"

#include <QDate>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcPages, "tavran.web.pages")

namespace {

const QByteArray CsvType = "text/csv; charset=utf-8";
const QString PollPath = u"/veri"_s;
const QString CsvPrefix = u"/csv/"_s;
// Pages and tables that cover a day or a month.
const QStringList PeriodPaths = {u"/"_s,         u"/gun"_s,         u"/ay"_s, u"/csv/urunler"_s,
                                 u"/csv/cari"_s, u"/csv/istasyon"_s};
const QStringList OtherPaths = {
    u"/son"_s,        u"/istasyonlar"_s,    PollPath, u"/csv/report"_s, u"/csv/paketler"_s,
    u"/csv/fisler"_s, u"/csv/istasyonlar"_s, QString::fromUtf16(PageShell::ScriptPath)};

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

Failure badDate(const QString &text)
{
    return {400, u"Geçersiz tarih"_s, u"Tarih anlaşılamadı: «%1»."_s.arg(text)};
}

Failure unreadable(const QString &why = {})
{
    return {503, u"Veriler okunamadı"_s,
            why.isEmpty() ? u"Kayıtlar şu anda okunamıyor."_s : u"Kayıtlar okunamıyor: %1"_s.arg(why)};
}

QPair<QByteArray, QByteArray> header(const QByteArray &name, const QByteArray &value)
{
    return {name, value};
}

QString link(const QString &href, const QString &text)
{
    return u"<a href=\"%1\">%2</a>"_s.arg(PageShell::escape(href), PageShell::escape(text));
}

QString navigation(const std::optional<PageScope> &scope = std::nullopt)
{
    QString nav = link(u"/"_s, u"Bugün"_s)
        + link(u"/ay?ay="_s + QDate::currentDate().toString(u"yyyy-MM"_s), u"Bu Ay"_s);
    if (scope) {
        const bool daily = scope->daily();
        nav += link(scope->moved(-1).pagePath(scope->alsat), daily ? u"Önceki Gün"_s : u"Önceki Ay"_s);
        nav += link(scope->moved(1).pagePath(scope->alsat), daily ? u"Sonraki Gün"_s : u"Sonraki Ay"_s);
        nav += link(scope->pagePath(1 - scope->alsat), scope->alsat ? u"Satışlar"_s : u"Alışlar"_s);
    }
    return nav + link(u"/son"_s, u"Son Paketler"_s) + link(u"/istasyonlar"_s, u"İstasyonlar"_s);
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
    response.headers.append(
        header("Content-Disposition", "attachment; filename=\"" + name.toUtf8() + ".csv\""));
    response.headers.append(header("Cache-Control", "no-store"));
    return response;
}

WebResponse productsCsv(const PlantTables &tables, const PageScope &scope, const QString &name)
{
    const auto totals = tables.products(scope);
    if (!totals)
        return failed(unreadable(ShipmentTotals::UnreadableCaption));
    return csvFile(ShipmentTotals::csv(*totals), name);
}

// `tavran report --csv`'s bytes: the same parameters, the same sums, the same writer.
WebResponse reportCsv(const PlantTables &tables, const QUrlQuery &query)
{
    const bool daily = query.hasQueryItem(u"day"_s);
    if (daily == query.hasQueryItem(u"month"_s)) {
        return failed(
            {400, u"Geçersiz istek"_s, u"Bir gün (day=YYYY-AA-GG) ya da bir ay (month=YYYY-AA) gerekli."_s});
    }
    const QString text = query.queryItemValue(daily ? u"day"_s : u"month"_s, QUrl::FullyDecoded);
    const auto date = daily ? OfficeArguments::day(text) : OfficeArguments::month(text);
    if (!date)
        return failed(badDate(text));
    const PageScope scope{ReportPeriod(daily ? ReportPeriod::Kind::Day : ReportPeriod::Kind::Month, *date),
                          query.queryItemValue(u"purchase"_s) == u"1"_s ? 1 : 0};
    return productsCsv(tables, scope,
                       u"rapor-"_s + scope.dateText() + (scope.alsat ? u"-alis"_s : u"-satis"_s));
}

WebResponse periodPage(const PlantTables &tables, const PageScope &scope)
{
    const QString marker = tables.marker(); // before reading: a change meanwhile reloads again
    const auto totals = tables.products(scope);
    if (!totals)
        return failed(unreadable(ShipmentTotals::UnreadableCaption));
    const auto customers = tables.customerTable(scope);
    const auto stations = tables.stationTable(scope);
    if (!customers || !stations)
        return failed(unreadable());
    const ShipmentSummary summary(scope.period, {}, {}, {});
    const QString title =
        summary.title() + u" - "_s + summary.periodText() + (scope.alsat ? u" (ALIŞ)"_s : u" (SATIŞ)"_s);
    return page(title, navigation(scope),
                BarChart::svg(*totals) + PlantTables::productTable(scope, *totals).html() + customers->html()
                    + stations->html(),
                marker);
}

// The tables of the pages and downloads that cover no period.
WebResponse latest(const PlantTables &tables, const QString &path)
{
    const QString marker = tables.marker();
    const bool download = path.startsWith(CsvPrefix);
    std::optional<PageTable> table;
    if (path == u"/son"_s || path == u"/csv/paketler"_s)
        table = tables.packageTable(PlantPages::LastRows);
    else if (path == u"/csv/fisler"_s)
        table = tables.slipTable(PlantPages::LastRows);
    else
        table = tables.activityTable();
    if (!table)
        return failed(unreadable());
    if (download)
        return csvFile(table->csv(), path.mid(CsvPrefix.size()));
    if (path != u"/son"_s)
        return page(u"İstasyonlar"_s, navigation(), table->html(), marker);
    const auto slips = tables.slipTable(PlantPages::LastRows);
    if (!slips)
        return failed(unreadable());
    return page(u"Son Paketler ve Fişler"_s, navigation(), table->html() + slips->html(), marker);
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
    const bool coversPeriod = PeriodPaths.contains(path);
    if (!coversPeriod && !OtherPaths.contains(path))
        return failed({404, u"Sayfa bulunamadı"_s, u"Böyle bir sayfa yok."_s});
    QString badText;
    const auto scope = coversPeriod ? PageScope::of(path, request.query, &badText) : std::nullopt;
    if (coversPeriod && !scope)
        return failed(badDate(badText));

    if (path == PageShell::ScriptPath) {
        WebResponse response;
        response.contentType = "text/javascript; charset=utf-8";
        response.body = PageShell::script();
        return response;
    }
    const PlantTables tables(m_folder, m_centralUrl);
    if (path == PollPath) {
        WebResponse response;
        response.contentType = "application/json";
        response.body = "{\"isaret\":\"" + tables.marker().toUtf8() + "\"}";
        response.headers.append(header("Cache-Control", "no-store"));
        return response;
    }
    if (const auto problem = tables.problem())
        return failed(unreadable(*problem));
    if (path == u"/csv/report"_s)
        return reportCsv(tables, request.query);
    if (!scope)
        return latest(tables, path);
    if (!path.startsWith(CsvPrefix))
        return periodPage(tables, *scope);

    const QString name = path.mid(CsvPrefix.size()) + u'-' + scope->dateText();
    if (path == u"/csv/urunler"_s)
        return productsCsv(tables, *scope, name);
    const auto table = path == u"/csv/cari"_s ? tables.customerTable(*scope) : tables.stationTable(*scope);
    if (!table)
        return failed(unreadable());
    return csvFile(table->csv(), name);
}
