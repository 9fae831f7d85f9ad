#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <optional>

// What a product carries beyond its Stok row (table StokEk, keyed by the
// product's name): GTIN-14, preset tare and the lot and animal reference
// last weighed of it. The same statements serve a station's Stok.db and the
// central server, so callers need not know which they hold.
struct ProductExtra
{
    QString product;
    QString gtin;      // empty: none
    double tareKg = 0; // subtracted from the scale's reading
    QString lot;       // empty: the production date is the lot
    QString animal;

    bool operator==(const ProductExtra &) const = default;
};

class ProductExtras
{
public:
    explicit ProductExtras(const QSqlDatabase &db);

    // The product's extras; a product without any reads as all empty with
    // tare 0. No value when the database cannot be read (lastError says why).
    std::optional<ProductExtra> read(const QString &product);
    // Every product's extras by name; no value when the table cannot be read.
    std::optional<QHash<QString, ProductExtra>> readAll();

    // Stores all of `extra`'s fields for its product.
    bool write(const ProductExtra &extra);
    // Stores only the lot and animal reference; GTIN and tare stay.
    bool writeLot(const QString &product, const QString &lot, const QString &animal);

    QString lastError() const { return m_error; }

private:
    bool exec(const char16_t *sql, const QVariantList &values);

    QSqlDatabase m_db;
    QString m_error;
};
