#include "office/TableExport.h"

#include "data/ProductExtras.h"
#include "data/SqlDialect.h"
#include "data/TurkishText.h"
#include "station/CsvWriter.h"

#include <QSqlQuery>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace TableExport {
namespace {
constexpr char16_t SelectAllSql[] = u"SELECT %1 FROM \"%2\" ORDER BY %3";
} // namespace

std::optional<QByteArray> run(const QSqlDatabase &db, const OfficeTable &table)
{
    const QStringList columns = table.columns(db);
    if (columns.isEmpty())
        return std::nullopt;
    QStringList names;
    for (const QString &c : columns)
        names << u'"' + c + u'"';
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QString::fromUtf16(SelectAllSql).arg(names.join(u','), table.table, SqlDialect::of(db).rowKey())))
        return std::nullopt;
    std::optional<QHash<QString, ProductExtra>> extras;
    if (!table.extraColumns().isEmpty() && !(extras = ProductExtras(db).readAll()))
        return std::nullopt;
    const qsizetype name = columns.indexOf(table.name);
    QList<QStringList> records;
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < columns.size(); ++i)
            values << query.value(i).toString();
        if (extras) {
            const ProductExtra extra = extras->value(values[name]);
            values << extra.gtin << QString::number(extra.tareKg, 'g', 10);
        }
        records.append(std::move(values));
    }
    const qsizetype key = columns.indexOf(table.key);
    std::stable_sort(records.begin(), records.end(), [&](const QStringList &a, const QStringList &b) {
        const int byName = TurkishText::compare(a[name], b[name]);
        return byName != 0 ? byName < 0 : TurkishText::compare(a[key], b[key]) < 0;
    });
    QByteArray csv = CsvWriter::record(columns + table.extraColumns());
    for (const QStringList &values : records)
        csv += CsvWriter::record(values);
    return csv;
}

} // namespace TableExport
