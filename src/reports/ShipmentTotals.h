#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QObject;
class QSqlDatabase;
class Recordset;
class ReportPeriod;
class StationData;

// One row of the totals: a product and its kilograms in the period.
struct ProductTotal
{
    QString product;
    double kilo = 0;

    bool operator==(const ProductTotal &) const = default;
};

// Totals per product of the stock movements of one trade direction in a
// period, in the order of the product list. Products whose movements add
// up to nothing are left out.
namespace ShipmentTotals {

// Sums the movements; no value when they cannot be read. Totals are kept to
// the gram, so movements that cancel out leave no "0,000" row behind. A name
// listed twice among the products counts once.
std::optional<QList<ProductTotal>> sum(const QSqlDatabase &stok, int alsatMode,
                                       const ReportPeriod &period);

// Adds the rows to the scratch table in one transaction.
bool store(const QSqlDatabase &stok, const QList<ProductTotal> &totals);

// The scratch table's rows in the order its recordset delivers them.
QList<ProductTotal> read(const Recordset &scratch);

double grandTotal(const QList<ProductTotal> &totals);

// The office's CSV of the totals: "Ürün,Kilo", then one row per product in
// kilograms with a decimal point.
QByteArray csv(const QList<ProductTotal> &totals);

// "Toplam : 1.234,500 Kg".
QString totalCaption(double total);
// Shown instead of a total when the movements could not be read.
inline const QString UnreadableCaption = QStringLiteral("Toplamlar okunamadı");

// Empties the scratch table (Data6), sums the movements of Data5's database
// into it and refreshes Data6. The grand total, or no value when the
// movements could not be read or the rows not stored; the scratch table is
// left empty then.
std::optional<double> build(StationData &data, int alsatMode, const ReportPeriod &period);

// As build, with the movements wherever the station keeps them: on a central
// server they are summed off the window's thread and `done` gets the total
// later, unless `context` is gone by then; for the station folder at once.
void buildFor(StationData &data, int alsatMode, const ReportPeriod &period, QObject *context,
              std::function<void(std::optional<double>)> done);

} // namespace ShipmentTotals
