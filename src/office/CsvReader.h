#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// A CSV file split into records (RFC 4180: quoted fields may hold commas,
// quotes and line breaks). Fields stay bytes: the caller decodes them in the
// file's encoding, so a byte it cannot read is pinned to its record.
namespace CsvReader {

struct Record
{
    int line = 0; // the file line the record starts on, from 1
    QList<QByteArray> fields;
};

struct Problem
{
    int line = 0;
    QString reason;
};

struct Content
{
    QList<Record> records;
    QList<Problem> problems; // records the reader could not split
};

// Lines end in LF, CR LF or a lone CR. Blank lines are skipped; blanks
// around unquoted fields are kept.
Content read(QByteArrayView bytes);

} // namespace CsvReader
