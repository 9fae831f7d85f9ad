#pragma once

#include <QString>
#include <QVariantList>

class SqlDialect;

// What a data control shows: the rows of one table, all of them or those a
// fixed query selects. `text` is the record source as the screens name it
// ("Tart", or the query text); `sql` is the statement actually run, with its
// values bound, and selects the rowid first.
struct RecordSource
{
    QString table;
    QString text;
    QString sql;
    QVariantList bindings;
    // When set, the rows are put in Turkish alphabetical order of this field
    // after reading (ties in the statement's order). The program sorts, since
    // no index any SQLite program can use knows that order.
    QString alphabeticalBy;

    static RecordSource wholeTable(const QString &table);
};

// The record sources the station uses.
namespace RecordSources {

// The shared tables' sources take their statements from the engine's
// dialect; the station folder's when none is given.
RecordSource customersOfGroup(const QString &group, // Select * From Cari Where Gurup=... Order By Unvan
                              const SqlDialect &dialect);
RecordSource products(const SqlDialect &dialect);    // Select * From Stok Order By Ürün
RecordSource movementsOf(int alsatMode, const SqlDialect &dialect); // ... Where Alsat=...
RecordSource customersOfGroup(const QString &group);
RecordSource products();
RecordSource movementsOf(int alsatMode);
RecordSource orderRows();                             // Tart
RecordSource orderRowsTavran();                       // Tavran
RecordSource scratchSums();                           // StokTmp

inline const QString CustomerGroup = QStringLiteral("Müşteri");
inline const QString SupplierGroup = QStringLiteral("Toptan");

} // namespace RecordSources
