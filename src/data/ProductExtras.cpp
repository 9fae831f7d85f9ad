#include "data/ProductExtras.h"

#include "data/StationDatabase.h"

#include <QLoggingCategory>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

Q_DECLARE_LOGGING_CATEGORY(lcDatabase)

namespace {
// Quoted names and ON CONFLICT read the same on SQLite and PostgreSQL.
constexpr char16_t ReadSql[] =
    u"SELECT \"Ürün\", \"GTIN\", \"Dara\", \"Parti\", \"Hayvan\" FROM \"StokEk\" WHERE \"Ürün\" = ?";
constexpr char16_t ReadAllSql[] =
    u"SELECT \"Ürün\", \"GTIN\", \"Dara\", \"Parti\", \"Hayvan\" FROM \"StokEk\"";
constexpr char16_t WriteSql[] =
    u"INSERT INTO \"StokEk\"(\"Ürün\", \"GTIN\", \"Dara\", \"Parti\", \"Hayvan\") VALUES (?, ?, ?, ?, ?) "
    u"ON CONFLICT(\"Ürün\") DO UPDATE SET \"GTIN\" = excluded.\"GTIN\", \"Dara\" = excluded.\"Dara\", "
    u"\"Parti\" = excluded.\"Parti\", \"Hayvan\" = excluded.\"Hayvan\"";
constexpr char16_t WriteLotSql[] =
    u"INSERT INTO \"StokEk\"(\"Ürün\", \"Parti\", \"Hayvan\") VALUES (?, ?, ?) "
    u"ON CONFLICT(\"Ürün\") DO UPDATE SET \"Parti\" = excluded.\"Parti\", \"Hayvan\" = excluded.\"Hayvan\"";

// An empty text is stored as NULL, so other programs see "no value".
QVariant orNull(const QString &text)
{
    return text.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

ProductExtra fromQuery(const QSqlQuery &query)
{
    return {query.value(0).toString(), query.value(1).toString(), query.value(2).toDouble(),
            query.value(3).toString(), query.value(4).toString()};
}
} // namespace

ProductExtras::ProductExtras(const QSqlDatabase &db)
    : m_db(db)
{
}

std::optional<ProductExtra> ProductExtras::read(const QString &product)
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(QString::fromUtf16(ReadSql))) {
        m_error = errorText(query.lastError(), m_db);
        return std::nullopt;
    }
    query.addBindValue(product);
    if (!query.exec()) {
        m_error = errorText(query.lastError(), m_db);
        qCWarning(lcDatabase) << "product extras not read:" << m_error;
        return std::nullopt;
    }
    if (!query.next())
        return ProductExtra{product, {}, 0, {}, {}};
    return fromQuery(query);
}

std::optional<QHash<QString, ProductExtra>> ProductExtras::readAll()
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.exec(QString::fromUtf16(ReadAllSql))) {
        m_error = errorText(query.lastError(), m_db);
        return std::nullopt;
    }
    QHash<QString, ProductExtra> all;
    while (query.next()) {
        ProductExtra extra = fromQuery(query);
        all.insert(extra.product, extra);
    }
    return all;
}

bool ProductExtras::write(const ProductExtra &extra)
{
    return exec(WriteSql, {extra.product, orNull(extra.gtin), extra.tareKg, orNull(extra.lot),
                           orNull(extra.animal)});
}

bool ProductExtras::writeLot(const QString &product, const QString &lot, const QString &animal)
{
    return exec(WriteLotSql, {product, orNull(lot), orNull(animal)});
}

bool ProductExtras::exec(const char16_t *sql, const QVariantList &values)
{
    QSqlQuery query(m_db);
    bool ok = query.prepare(QString::fromUtf16(sql));
    for (const QVariant &value : values)
        query.addBindValue(value);
    ok = ok && query.exec();
    if (!ok) {
        m_error = errorText(query.lastError(), m_db);
        qCWarning(lcDatabase) << "product extras not written:" << m_error;
    }
    return ok;
}
