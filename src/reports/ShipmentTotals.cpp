#include "reports/ShipmentTotals.h"

#include "station/CsvWriter.h"
#include "station/NumberText.h"
#include "data/CentralDatabase.h"
#include "data/CentralLink.h"
#include "data/SqlDialect.h"
#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "data/TurkishText.h"
#include "reports/ReportPeriod.h"
#include "reports/ReportsLog.h"

#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <cmath>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcReports, "tavran.reports")

namespace {

constexpr char16_t InsertScratchRowSql[] = u"INSERT INTO StokTmp(\"Ürün\", Kilo) VALUES (?, ?)";

double toGrams(double kilo)
{
    return std::round(kilo * 1000.0) / 1000.0;
}

QSqlDatabase databaseOf(const DataControl &control)
{
    const auto database = control.database();
    return database && database->isOpen() ? database->database() : QSqlDatabase();
}

} // namespace

namespace ShipmentTotals {

std::optional<QList<ProductTotal>> sum(const QSqlDatabase &stok, int alsatMode,
                                       const ReportPeriod &period)
{
    if (!stok.isOpen()) {
        qCWarning(lcReports) << "totals: the stock database is not open";
        return std::nullopt;
    }
    QSqlQuery query(stok);
    query.setForwardOnly(true);
    if (!query.prepare(SqlDialect::of(stok).movementSumsSql())) {
        qCWarning(lcReports) << "totals: cannot prepare" << query.lastError().text();
        return std::nullopt;
    }
    query.addBindValue(alsatMode);
    query.addBindValue(period.firstText());
    query.addBindValue(period.lastText());
    if (!query.exec()) {
        qCWarning(lcReports) << "totals for" << period.criteriaText() << "failed:"
                             << query.lastError().text();
        return std::nullopt;
    }
    QHash<QString, double> sums; // by folded name
    while (query.next())
        sums[TurkishText::fold(query.value(0).toString())] += query.value(1).toDouble();
    if (query.lastError().isValid()) {
        qCWarning(lcReports) << "totals: reading stopped:" << query.lastError().text();
        return std::nullopt;
    }

    QList<QString> names;
    if (!query.exec(SqlDialect::of(stok).productNamesSql())) {
        qCWarning(lcReports) << "totals: no product list:" << query.lastError().text();
        return std::nullopt;
    }
    while (query.next())
        names << query.value(0).toString();

    QList<ProductTotal> totals;
    QSet<QString> listed;
    for (int position : TurkishText::alphabeticalOrder(names)) {
        const QString folded = TurkishText::fold(names[position]);
        if (listed.contains(folded))
            continue;
        listed.insert(folded);
        const double kilo = toGrams(sums.value(folded)); // no movement: 0
        if (kilo != 0)
            totals.append({names[position], kilo});
    }
    return totals;
}

bool store(const QSqlDatabase &stok, const QList<ProductTotal> &totals)
{
    QSqlDatabase db = stok;
    if (!db.transaction()) {
        qCWarning(lcReports) << "scratch rows: no transaction:" << db.lastError().text();
        return false;
    }
    QSqlQuery insert(db);
    bool ok = insert.prepare(QString::fromUtf16(InsertScratchRowSql));
    for (qsizetype i = 0; ok && i < totals.size(); ++i) {
        insert.bindValue(0, totals[i].product);
        insert.bindValue(1, totals[i].kilo);
        ok = insert.exec();
    }
    if (ok && db.commit())
        return true;
    qCWarning(lcReports) << "scratch rows not stored:" << insert.lastError().text()
                         << db.lastError().text();
    db.rollback();
    return false;
}

QList<ProductTotal> read(const Recordset &scratch)
{
    QList<ProductTotal> rows;
    const int count = scratch.recordCount();
    rows.reserve(count);
    for (int i = 0; i < count; ++i)
        rows.append({scratch.valueAt(i, 0).toString(), scratch.valueAt(i, 1).toDouble()});
    return rows;
}

double grandTotal(const QList<ProductTotal> &totals)
{
    double total = 0;
    for (const ProductTotal &row : totals)
        total += row.kilo;
    return total;
}

QByteArray csv(const QList<ProductTotal> &totals)
{
    QByteArray bytes = CsvWriter::record({u"Ürün"_s, u"Kilo"_s});
    for (const ProductTotal &row : totals)
        bytes += CsvWriter::record({row.product, CsvWriter::kilo(row.kilo)});
    return bytes;
}

QString totalCaption(double total)
{
    return u"Toplam : "_s + NumberText::grouped3(total) + u" Kg"_s;
}

namespace {

// Replaces the scratch rows by `totals`; the grand total, or no value.
std::optional<double> fillScratch(StationData &data,
                                  const std::optional<QList<ProductTotal>> &totals, int alsatMode,
                                  const ReportPeriod &period)
{
    // Never add to rows left from the last report.
    if (!data.deleteAllRows(data.data6()))
        return std::nullopt;
    bool stored = false;
    if (totals)
        stored = store(databaseOf(data.data6()), *totals);
    RefreshDataControl(data.data6());
    if (!stored)
        return std::nullopt;
    qCDebug(lcReports) << "totals for" << period.criteriaText() << "direction" << alsatMode << ":"
                       << totals->size() << "products";
    return grandTotal(*totals);
}

} // namespace

std::optional<double> build(StationData &data, int alsatMode, const ReportPeriod &period)
{
    return fillScratch(data, sum(databaseOf(data.data5()), alsatMode, period), alsatMode, period);
}

void buildFor(StationData &data, int alsatMode, const ReportPeriod &period, QObject *context,
              std::function<void(std::optional<double>)> done)
{
    CentralLink *link = data.link();
    if (!link) {
        done(build(data, alsatMode, period));
        return;
    }
    using Totals = std::optional<QList<ProductTotal>>;
    link->run<Totals>(
        [alsatMode, period](CentralDatabase &central) -> Totals {
            if (!central.ensureOpen()) {
                qCWarning(lcReports) << "totals:" << central.lastError();
                return std::nullopt;
            }
            return sum(central.database(), alsatMode, period);
        },
        context, [&data, alsatMode, period, done](const Totals &totals) {
            done(fillScratch(data, totals, alsatMode, period));
        });
}

} // namespace ShipmentTotals
