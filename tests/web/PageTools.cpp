#include "PageTools.h"

#include "office/CsvReader.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace PageTools {
namespace {

QString unescape(QString text)
{
    text.replace(u"&lt;"_s, u"<"_s).replace(u"&gt;"_s, u">"_s).replace(u"&quot;"_s, u"\""_s);
    return text.replace(u"&#39;"_s, u"'"_s).replace(u"&amp;"_s, u"&"_s);
}

} // namespace

WebResponse get(const PageResponder &pages, const QString &target)
{
    const QUrl url(u"http://127.0.0.1"_s + target);
    return pages.respond({url.path(), QUrlQuery(url)});
}

QList<QStringList> tableRows(const QString &html, const QString &id)
{
    const QRegularExpression table(u"<table[^>]*data-table=\"%1\"[^>]*>(.*?)</table>"_s.arg(id),
                                   QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression row(u"<tr[^>]*>(.*?)</tr>"_s,
                                        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cell(u"<t[hd]([^>]*)>(.*?)</t[hd]>"_s,
                                         QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression kg(u"data-kg=\"([^\"]*)\""_s);
    QList<QStringList> rows;
    const auto found = table.match(html);
    QString body = found.captured(1);
    body.remove(QRegularExpression(u"<tfoot>.*</tfoot>"_s, QRegularExpression::DotMatchesEverythingOption));
    for (auto r = row.globalMatch(body); r.hasNext();) {
        QStringList cells;
        const QString inner = r.next().captured(1);
        for (auto c = cell.globalMatch(inner); c.hasNext();) {
            const auto m = c.next();
            const auto value = kg.match(m.captured(1));
            cells << (value.hasMatch() ? value.captured(1) : unescape(m.captured(2)));
        }
        rows << cells;
    }
    return rows;
}

QList<QStringList> csvRows(const QByteArray &csv)
{
    QList<QStringList> rows;
    for (const CsvReader::Record &record : CsvReader::read(csv).records) {
        QStringList fields;
        for (const QByteArray &field : record.fields)
            fields << QString::fromUtf8(field);
        rows << fields;
    }
    return rows;
}

bool insert(const QSqlDatabase &db, const QString &sql, const QList<QVariantList> &rows, QString *error)
{
    QSqlQuery query(db);
    if (!query.prepare(sql)) {
        *error = query.lastError().text();
        return false;
    }
    for (const QVariantList &values : rows) {
        for (qsizetype i = 0; i < values.size(); ++i)
            query.bindValue(int(i), values[i]);
        if (!query.exec()) {
            *error = query.lastError().text();
            return false;
        }
    }
    return true;
}

} // namespace PageTools
