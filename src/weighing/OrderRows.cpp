#include "weighing/OrderRows.h"

#include "data/Recordset.h"

#include <QString>

using namespace Qt::StringLiterals;

namespace OrderRows {

bool addFinishedProduct(Recordset &rows, const QString &product, double kilo, const QString &barkod)
{
    if (!rows.addNew())
        return false;
    const bool ok = rows.setValue(0, product) && rows.setValue(1, rows.value(1).toDouble() + kilo)
                    && rows.setValue(2, barkod) && rows.update();
    if (!ok)
        rows.cancelUpdate();
    return ok;
}

double total(const Recordset &rows)
{
    const int kilo = rows.fieldIndex(u"Kilo"_s);
    double sum = 0;
    for (int i = 0; i < rows.recordCount(); ++i)
        sum += rows.valueAt(i, kilo).toDouble();
    return sum;
}

bool removeCurrent(Recordset &rows)
{
    if (!rows.hasCurrent() || !rows.remove())
        return false;
    rows.moveNext();
    if (rows.isEOF() && rows.recordCount() > 0)
        rows.movePrevious();
    return true;
}

} // namespace OrderRows
