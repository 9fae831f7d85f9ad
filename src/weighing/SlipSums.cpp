#include "weighing/SlipSums.h"

#include "data/Criteria.h"
#include "data/StationData.h"
#include "data/TurkishText.h"
#include "weighing/WeighingLog.h"

#include <QHash>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcWeighing, "tavran.weighing")

namespace SlipSums {
namespace {
// StokTmp's fields by position.
constexpr int ProductField = 0;
constexpr int KiloField = 1;
} // namespace

QList<SlipLine> readRows(const Recordset &orderRows)
{
    const int product = orderRows.fieldIndex(u"Ürün"_s);
    const int kilo = orderRows.fieldIndex(u"Kilo"_s);
    const int barkod = orderRows.fieldIndex(u"Barkod"_s);
    QList<SlipLine> rows;
    const int count = orderRows.recordCount();
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        rows.append({orderRows.valueAt(i, product).toString(), orderRows.valueAt(i, kilo).toDouble(),
                     orderRows.valueAt(i, barkod).toString()});
    }
    return rows;
}

bool add(Recordset &sums, const QString &product, double kilo)
{
    sums.findFirst(Criteria::equals(u"Ürün"_s, product));
    const bool started = sums.noMatch() ? sums.addNew() && sums.setValue(ProductField, product)
                                        : sums.edit();
    const bool ok = started && sums.setValue(KiloField, sums.value(KiloField).toDouble() + kilo)
                    && sums.update();
    if (!ok) {
        sums.cancelUpdate();
        qCWarning(lcWeighing) << "slip sum of" << product << "not stored:" << sums.lastError();
    }
    return ok;
}

bool rebuild(StationData &data, const QList<SlipLine> &rows)
{
    bool ok = data.deleteAllRows(data.data6());
    Recordset *sums = data.data6().recordset();
    if (!sums) {
        qCWarning(lcWeighing) << "StokTmp cannot be opened; the slip has no sums";
        return false;
    }
    for (const SlipLine &row : rows)
        ok = add(*sums, row.product, row.kilo) && ok;
    return ok;
}

QList<SlipLine> sumRows(const QList<SlipLine> &rows)
{
    QList<SlipLine> sums;
    QHash<QString, qsizetype> lineOf;
    for (const SlipLine &row : rows) {
        const QString name = TurkishText::fold(row.product);
        auto at = lineOf.constFind(name);
        if (at == lineOf.constEnd()) {
            at = lineOf.insert(name, sums.size());
            sums.append({row.product, 0, {}});
        }
        sums[at.value()].kilo += row.kilo;
    }
    return sums;
}

QList<SlipLine> read(const Recordset &sums)
{
    QList<SlipLine> lines;
    const int count = sums.recordCount();
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines.append({sums.valueAt(i, ProductField).toString(), sums.valueAt(i, KiloField).toDouble(), {}});
    return lines;
}

} // namespace SlipSums
