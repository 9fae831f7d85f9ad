#pragma once

#include "data/PackageRecord.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <functional>

class QSqlDatabase;
class StationDatabase;

// The package records of Stok.db and their links to the order rows of
// Tavran.db.
//
// A package is written when it is added; at "Tartım Tamam" the packages of
// the run are linked to the new order row (TartPaket in Tavran.db, in the
// same transaction as the row, and removed with it by a trigger, so a later
// row that gets the same rowid never inherits them); the booking of the
// slip ties the linked packages to the customer in the booking's own
// transaction.
//
// On a station with a central server every change is also queued in
// PaketGiden (Stok.db, in the change's transaction) until the server has it.
namespace PackageRecords {

// Writes a new package; `record.key` must be set. False with `error`.
bool add(const StationDatabase &stok, const PackageRecord &record, bool queueForServer,
         QString *error);

// Creates the link table and its trigger in `schema` of `db` when missing.
bool ensureLinks(const QSqlDatabase &db, const QString &schema, QString *error);
// Runs `addRow` (which inserts the order row on the connection of `tavran`)
// and links `keys` to the inserted row with the label's barcode text, all in
// one transaction; the row's rowid in `rowid`. Nothing is stored when either
// fails.
bool addLinkedRow(const StationDatabase &tavran, const std::function<bool()> &addRow,
                  const QStringList &keys, const QString &labelBarcode, qint64 *rowid,
                  QString *error);
// Marks the packages with their order row and the label's barcode text.
// Packages not yet booked that name `rowid` or a higher one belong to rows
// removed since: they lose it.
bool markOrderRow(const StationDatabase &stok, const QStringList &keys, qint64 rowid,
                  const QString &labelBarcode, bool queueForServer, QString *error);

// Inside a transaction the caller holds on a connection that sees Stok.db
// as `stokSchema` and Tavran.db as `orderSchema` (whose links exist, see
// ensureLinks): ties the packages linked to the order rows `rowids` to the
// slip and drops their links.
bool tieBooked(const QSqlDatabase &db, const QString &stokSchema, const QString &orderSchema,
               const QList<qint64> &rowids, const QString &customer, int alsat, const QString &date,
               QString *error);

// The packages linked to the order rows `rowids`, each with its row, read
// from the Stok.db at `stokPath` (not opened when no package is linked).
bool linkedPackages(const StationDatabase &tavran, const QString &stokPath,
                    const QList<qint64> &rowids, QList<PackageRecord> &packages, QString *error);

// The queue of changes the server does not have yet: every package it
// names, and the last queue position read (0 when empty).
bool queued(const StationDatabase &stok, QList<PackageRecord> &packages, qint64 *upTo,
            QString *error);
// Forgets the queue up to `upTo`, once the server has those packages.
bool dequeue(const StationDatabase &stok, qint64 upTo, QString *error);

} // namespace PackageRecords
