#pragma once

#include "journal/JournalEntry.h"

#include <QDate>
#include <QList>
#include <QString>

// The journal's SQLite file in the station folder, Journal.db: one table
// `entry`, plain columns, any SQLite program reads it. The station only
// appends; triggers refuse changes and deletions of what is written, and
// each entry's `hash` links it to the one before (JournalChain).
namespace JournalFile {

QString path(const QString &stationFolder);

// Appends `entry` (its id is ignored). Waits at most a moment for another
// writer. False with `error` set when it could not be written.
bool append(const QString &file, const JournalEntry &entry, QString *error = nullptr);

struct Filter
{
    QDate from; // invalid: from the start
    QDate to;   // invalid: to the end; inclusive
    QString staff; // empty: everyone
};

// The entries passing `filter`, oldest first. False with `error` set when the
// file cannot be read (a missing file is an empty journal).
bool read(const QString &file, const Filter &filter, QList<JournalEntry> &entries, QString *error = nullptr);
// What the chain says about a journal.
struct Verdict
{
    qint64 chained = 0;   // entries whose links match
    qint64 unchained = 0; // entries written before the chain: not checked
    qint64 firstBad = 0;  // the first entry that does not match
    QString why;          // Turkish; empty: every link matches
    bool intact() const { return why.isEmpty(); }
};
// Checks every link and the station key's latest one. False with `error`
// set when the file or the key cannot be read.
bool verify(const QString &file, Verdict &verdict, QString *error = nullptr);

// Entry `id`; no value when there is none or the file cannot be read.
std::optional<JournalEntry> entry(const QString &file, qint64 id, QString *error = nullptr);

} // namespace JournalFile
