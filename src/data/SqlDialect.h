#pragma once

#include <QString>
#include <QStringList>

class QSqlDatabase;

// The one place that knows which database engine holds the shared tables
// (Cari, Stok, StokHaraket). Record sources, report sums, schema and booking
// take their statement texts from here, so screens and commands never ask
// which engine they talk to. Every text selects the same rows in the same
// order on each engine; values are bound with "?", never pasted.
class SqlDialect
{
public:
    virtual ~SqlDialect() = default;

    // The statements' texts. Record sources select the row key first, then
    // the table's own columns in their stored order.
    virtual QString customersOfGroupSql() const = 0; // binds: group, group
    virtual QString productsSql() const = 0;
    virtual QString movementsSql() const = 0;        // binds: alsat
    virtual QString movementSumsSql() const = 0;     // binds: alsat, from, to (ISO dates)
    virtual QString productNamesSql() const = 0;     // product list order
    // Movements of a date range, oldest first; binds: [alsat,] from, to.
    virtual QString movementsInRangeSql(bool oneDirection) const = 0;
    // Column name and stored default text of a table; binds: table.
    virtual QString tableDefaultsSql() const = 0;
    // A table's own columns in their stored order (not the engine's row
    // key nor the booking key); binds: table.
    virtual QString columnNamesSql() const = 0;
    // The column that names one row of a table in statements.
    virtual QString rowKey() const = 0;

    // The shared tables, their indexes and constraints; each statement may
    // run again on a database that already has them.
    virtual QStringList sharedSchema() const = 0;

    // One booked movement that carries its key; a key the database already
    // holds adds nothing. Binds: date, product, kilo, alsat, key.
    virtual QString bookMovementSql() const = 0;

    // Tracing packages (Paket, with the product's GTIN from StokEk). The
    // package statements select Sira, Zaman, Istasyon, Ürün, Kilo, Parti,
    // Hayvan, EtiketBarkod, Cari, Tarih, Alsat, Barkod, GTIN in Sira order.
    virtual QString packagesOfLotSql() const = 0;   // binds: lot
    virtual QString packagesOfLabelSql() const = 0; // binds: label barcode text
    // A customer's booked packages per day, direction, product and lot: Tarih,
    // Alsat, Ürün, Parti, package count, kilo. Binds: customer, from, to.
    virtual QString lotsDeliveredSql() const = 0;
    // The account titles equal to a name but for case; binds: name, name.
    virtual QString customerTitlesSql() const = 0;

    // The dialect of the connection's engine.
    static const SqlDialect &of(const QSqlDatabase &db);
    static const SqlDialect &sqlite();
    static const SqlDialect &postgres();

    // Qt's driver names of the two engines.
    static const QString SqliteDriver;
    static const QString PostgresDriver;
};
