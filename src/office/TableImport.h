#pragma once

#include "office/CsvReader.h"
#include "office/OfficeTable.h"

#include <QList>
#include <QSqlDatabase>

// Brings a CSV file of products or customers into their table: a record
// whose key is there updates it, the others are added. All or nothing: one
// bad record and the table is left as it was.
namespace TableImport {

enum class Encoding { Utf8, Windows1254 };

struct Result
{
    QList<CsvReader::Problem> errors;   // every bad record, by line
    QList<CsvReader::Problem> warnings; // imported, but worth a look
    int added = 0;
    int updated = 0;
    bool written = false;
    QString failure; // the database refused; nothing written

    bool ok() const { return errors.isEmpty() && failure.isEmpty(); }
};

// `dryRun` checks and counts without writing.
Result run(const QSqlDatabase &db, const OfficeTable &table, QByteArrayView file,
           Encoding encoding, bool dryRun);

} // namespace TableImport
