#include "web/PageScope.h"

#include "office/OfficeArguments.h"

using namespace Qt::StringLiterals;

std::optional<PageScope> PageScope::of(const QString &path, const QUrlQuery &query, QString *badText)
{
    const int alsat = query.queryItemValue(u"alis"_s) == u"1"_s ? 1 : 0;
    const bool monthly =
        path.endsWith(u"/ay"_s) || (!query.hasQueryItem(u"tarih"_s) && query.hasQueryItem(u"ay"_s));
    const QString key = monthly ? u"ay"_s : u"tarih"_s;
    if (!query.hasQueryItem(key) && (path == u"/"_s || path.startsWith(u"/csv/"_s)))
        return PageScope{ReportPeriod(ReportPeriod::Kind::Day, QDate::currentDate()), alsat};
    const QString text = query.queryItemValue(key, QUrl::FullyDecoded);
    const auto date = monthly ? OfficeArguments::month(text) : OfficeArguments::day(text);
    if (!date) {
        *badText = text;
        return std::nullopt;
    }
    return PageScope{ReportPeriod(monthly ? ReportPeriod::Kind::Month : ReportPeriod::Kind::Day, *date),
                     alsat};
}

QString PageScope::dateText() const
{
    return daily() ? period.firstText() : period.date().toString(u"yyyy-MM"_s);
}

QString PageScope::pageQuery(int direction) const
{
    return (daily() ? u"tarih="_s : u"ay="_s) + dateText() + (direction ? u"&alis=1"_s : QString());
}

QString PageScope::pagePath(int direction) const
{
    return (daily() ? u"/gun?"_s : u"/ay?"_s) + pageQuery(direction);
}

QString PageScope::reportCsvPath() const
{
    return (daily() ? u"/csv/report?day="_s : u"/csv/report?month="_s) + dateText()
        + (alsat ? u"&purchase=1"_s : QString());
}

PageScope PageScope::moved(int steps) const
{
    const QDate date = period.date();
    return {ReportPeriod(period.kind(), daily() ? date.addDays(steps) : date.addMonths(steps)), alsat};
}
