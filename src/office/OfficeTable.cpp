#include "office/OfficeTable.h"

#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {
constexpr char16_t StokColumnsSql[] = u"SELECT name FROM pragma_table_info('Stok') ORDER BY cid";
constexpr char16_t CariColumnsSql[] = u"SELECT name FROM pragma_table_info('Cari') ORDER BY cid";
} // namespace

std::optional<OfficeTable> OfficeTable::named(const QString &word)
{
    if (word == u"products"_s)
        return OfficeTable{Schema::File::Stok, u"Stok"_s, u"Barkod"_s, u"Ürün"_s};
    if (word == u"customers"_s)
        return OfficeTable{Schema::File::Cari, u"Cari"_s, u"Unvan"_s, u"Unvan"_s};
    return std::nullopt;
}

QStringList OfficeTable::columns(const QSqlDatabase &db) const
{
    QSqlQuery query(db);
    QStringList names;
    if (!query.exec(QString::fromUtf16(isProducts() ? StokColumnsSql : CariColumnsSql)))
        return names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}
