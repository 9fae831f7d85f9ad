#pragma once

#include <QString>

class QSqlDatabase;

// The station's three database files and the tables each one holds. Column
// order matters: the screens read some columns by position.
namespace Schema {

enum class File { Cari, Stok, Tavran };

QString fileName(File file); // "Cari.db", "Stok.db", "Tavran.db"

// Creates the file's tables and indexes if missing, or brings a file of an
// older version up to date with every row kept, in one transaction.
// Returns false (and logs) when the database cannot be set up.
bool create(const QSqlDatabase &db, File file);

} // namespace Schema
