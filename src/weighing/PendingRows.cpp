#include "weighing/PendingRows.h"

#include "data/Recordset.h"

using namespace Qt::StringLiterals;

PendingRows PendingRows::of(const Recordset &orderRows)
{
    PendingRows pending;
    const int tamam = orderRows.fieldIndex(u"Tamam"_s);
    const int kilo = orderRows.fieldIndex(u"Kilo"_s);
    for (int i = 0; i < orderRows.recordCount(); ++i) {
        if (orderRows.valueAt(i, tamam).toInt() != 0) {
            ++pending.rows;
            pending.kilograms += orderRows.valueAt(i, kilo).toDouble();
        }
    }
    return pending;
}
