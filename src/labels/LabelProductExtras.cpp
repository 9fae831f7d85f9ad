#include "labels/LabelProductExtras.h"

#include "data/StationDatabase.h"
#include "labels/LabelsLog.h"
#include "labels/PackageLabel.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {
// Quoted names: the same text serves the station file and the central server.
const QString SelectExtrasSql = u"SELECT \"GTIN\", \"Parti\", \"Hayvan\" FROM \"StokEk\" WHERE \"Ürün\" = ?"_s;
} // namespace

namespace LabelProductExtras {

void apply(PackageLabel &label, const StationDatabase &stok)
{
    if (!stok.isOpen())
        return;
    QSqlQuery query(stok.database());
    if (!query.prepare(SelectExtrasSql)) {
        qCWarning(lcLabels) << "product extras not read:" << errorText(query.lastError());
        return;
    }
    query.addBindValue(label.product.trimmed());
    if (!query.exec()) {
        qCWarning(lcLabels) << "product extras not read:" << errorText(query.lastError());
        return;
    }
    if (!query.next())
        return;
    label.gtin = query.value(0).toString().trimmed();
    label.lot = query.value(1).toString().trimmed();
    label.animal = query.value(2).toString().trimmed();
}

} // namespace LabelProductExtras
