#pragma once

#include "data/PackageRecord.h"

#include <QList>
#include <QString>

class CentralDatabase;
class QSqlDatabase;

// The station's packages on the central server, keyed by Anahtar: sending
// one again changes nothing, so a copy cut off halfway is simply sent again.
namespace PackageUpload {

// Writes `packages` on the server connection `db`, inside the caller's
// transaction. The station's record holds for every column, except that a
// package the server knows as booked stays booked.
bool write(const QSqlDatabase &db, const QList<PackageRecord> &packages, QString *error);

struct Result
{
    int sent = 0;
    QString failure; // empty when the queue went out (or was empty)

    bool ok() const { return failure.isEmpty(); }
};

// Sends the package changes queued in the station folder's Stok.db in one
// server transaction, then forgets them locally. Changes queued meanwhile
// stay for the next call.
Result sendQueued(CentralDatabase &central, const QString &stokPath);

} // namespace PackageUpload
