#pragma once

#include "office/PackageCode.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QStringList>
#include <optional>

// Where the packages of a lot went and which lots a customer received, read
// off the package records of the station folder or of the central server.
namespace PackageTrace {

struct Package
{
    qint64 sira = 0;
    QString zaman; // ISO "yyyy-MM-ddTHH:mm:ss"
    QString station;
    QString product;
    double kilo = 0; // net
    QString lot;
    QString animal;
    QString label; // the label's barcode text
    QString customer; // empty until a slip books the package
    QString tarih;    // booking date "yyyy-MM-dd", empty until booked
    int alsat = 0;
    QString barkod;
    QString gtin; // the product's GTIN now

    bool booked() const { return !tarih.isEmpty(); }
};

// A customer's packages of one booking day, direction, product and lot.
struct Delivery
{
    QString tarih;
    int alsat = 0;
    QString product;
    QString lot;
    int packages = 0;
    double kilo = 0;

    bool operator==(const Delivery &) const = default;
};

// No value when the records cannot be read; `error` then says why in
// Turkish (the engine's own words go to the log).
std::optional<QList<Package>> ofLot(const QSqlDatabase &stok, const QString &lot, QString *error);

// The packages a label or scan names: its barcode text as recorded; for a
// GS1 text also its fields: lot (or production date as the lot), net
// weight and GTIN.
std::optional<QList<Package>> ofLabel(const QSqlDatabase &stok, const QString &text,
                                      const std::optional<PackageCode> &code, QString *error);

// The account titles `name` stands for (Turkish case rules) and `name`
// itself, which a deleted account's packages still carry.
std::optional<QStringList> customerNames(const QSqlDatabase &cari, const QString &name, QString *error);

// What the `customers` received between `from` and `to`, by day, then
// product in Turkish order, then lot.
std::optional<QList<Delivery>> delivered(const QSqlDatabase &stok, const QStringList &customers,
                                         QDate from, QDate to, QString *error);

} // namespace PackageTrace
