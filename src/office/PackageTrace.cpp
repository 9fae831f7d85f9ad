#include "office/PackageTrace.h"

#include "data/SqlDialect.h"
#include "data/StationDatabase.h"
#include "data/TurkishText.h"

#include <QLoggingCategory>
#include <QSqlQuery>
#include <algorithm>
#include <unordered_map>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcTrace, "tavran.office")

namespace PackageTrace {
namespace {

// A failed statement: the operator reads a Turkish reason, the log the engine's.
bool failed(const QSqlQuery &query, const QSqlDatabase &db, const QString &what, QString *error)
{
    const QSqlError sqlError = query.lastError();
    qCWarning(lcTrace) << what << errorText(sqlError, db);
    *error = isBusy(sqlError) ? errorText(sqlError, db) : what + u" okunamadı"_s;
    return false;
}

bool run(QSqlQuery &query, const QString &sql, const QVariantList &values, const QSqlDatabase &db,
         const QString &what, QString *error)
{
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return failed(query, db, what, error);
    for (const QVariant &value : values)
        query.addBindValue(value);
    return query.exec() || failed(query, db, what, error);
}

std::optional<QList<Package>> packages(const QSqlDatabase &stok, const QString &sql, const QString &key,
                                       QString *error)
{
    QSqlQuery query(stok);
    const QString what = u"paket kayıtları"_s;
    if (!run(query, sql, {key}, stok, what, error))
        return std::nullopt;
    QList<Package> found;
    while (query.next()) {
        found.append({query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString(),
                      query.value(3).toString(), query.value(4).toDouble(), query.value(5).toString(),
                      query.value(6).toString(), query.value(7).toString(), query.value(8).toString(),
                      query.value(9).toString(), query.value(10).toInt(), query.value(11).toString(),
                      query.value(12).toString()});
    }
    if (query.lastError().isValid()) {
        failed(query, stok, what, error);
        return std::nullopt;
    }
    return found;
}

QString gtin14(const QString &digits)
{
    return digits.trimmed().rightJustified(14, u'0');
}

bool fits(const Package &package, const PackageCode &code)
{
    if (code.net && !code.weighs(package.kilo))
        return false;
    return code.gtin.isEmpty() || gtin14(package.gtin) == code.gtin
           || gtin14(package.barkod) == code.gtin;
}

} // namespace

std::optional<QList<Package>> ofLot(const QSqlDatabase &stok, const QString &lot, QString *error)
{
    return packages(stok, SqlDialect::of(stok).packagesOfLotSql(), lot, error);
}

std::optional<QList<Package>> ofLabel(const QSqlDatabase &stok, const QString &text,
                                      const std::optional<PackageCode> &code, QString *error)
{
    // The label's text as recorded, as typed or as its GS1 fields write it.
    QStringList texts{text};
    if (code)
        texts << code->bracketed() << code->raw();
    texts.removeDuplicates();
    const QString sql = SqlDialect::of(stok).packagesOfLabelSql();
    for (const QString &candidate : texts) {
        auto found = packages(stok, sql, candidate, error);
        if (!found || !found->isEmpty())
            return found;
    }
    if (!code || (code->lot.isEmpty() && !code->produced.isValid()))
        return QList<Package>();
    // A lot's packages come by its index; the rest of the fields pick among them.
    const QString lot = code->lot.isEmpty() ? code->produced.toString(Qt::ISODate) : code->lot;
    auto ofItsLot = ofLot(stok, lot, error);
    if (ofItsLot)
        ofItsLot->removeIf([&code](const Package &package) { return !fits(package, *code); });
    return ofItsLot;
}

std::optional<QStringList> customerNames(const QSqlDatabase &cari, const QString &name, QString *error)
{
    QSqlQuery query(cari);
    const QString what = u"cari hesaplar"_s;
    if (!run(query, SqlDialect::of(cari).customerTitlesSql(), {name, name}, cari, what, error))
        return std::nullopt;
    QStringList names{name};
    while (query.next())
        names << query.value(0).toString();
    if (query.lastError().isValid()) {
        failed(query, cari, what, error);
        return std::nullopt;
    }
    names.removeDuplicates();
    return names;
}

std::optional<QList<Delivery>> delivered(const QSqlDatabase &stok, const QStringList &customers,
                                         QDate from, QDate to, QString *error)
{
    // Titles equal but for case are one customer: their rows add up.
    QList<Delivery> rows;
    std::unordered_map<QString, qsizetype> rowOf;
    const QString sql = SqlDialect::of(stok).lotsDeliveredSql();
    const QString what = u"paket kayıtları"_s;
    for (const QString &customer : customers) {
        QSqlQuery query(stok);
        if (!run(query, sql, {customer, from.toString(Qt::ISODate), to.toString(Qt::ISODate)}, stok,
                 what, error)) {
            return std::nullopt;
        }
        while (query.next()) {
            const Delivery row{query.value(0).toString(), query.value(1).toInt(), query.value(2).toString(),
                               query.value(3).toString(), query.value(4).toInt(), query.value(5).toDouble()};
            const QString key = QStringList{row.tarih, QString::number(row.alsat), row.product, row.lot}
                                    .join(QChar(0x1f));
            const auto [at, added] = rowOf.try_emplace(key, rows.size());
            if (added) {
                rows.append(row);
            } else {
                rows[at->second].packages += row.packages;
                rows[at->second].kilo += row.kilo;
            }
        }
        if (query.lastError().isValid()) {
            failed(query, stok, what, error);
            return std::nullopt;
        }
    }
    std::sort(rows.begin(), rows.end(), [](const Delivery &a, const Delivery &b) {
        if (a.tarih != b.tarih)
            return a.tarih < b.tarih;
        if (const int order = TurkishText::compare(a.product, b.product))
            return order < 0;
        if (a.lot != b.lot)
            return a.lot < b.lot;
        return a.alsat < b.alsat;
    });
    return rows;
}

} // namespace PackageTrace
