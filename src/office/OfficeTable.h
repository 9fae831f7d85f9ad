#pragma once

#include "data/Schema.h"

#include <QSqlDatabase>
#include <QStringList>
#include <optional>

// A table the office keeps from outside: products (Stok, keyed by Barkod) or
// customer accounts (Cari, keyed by Unvan).
struct OfficeTable
{
    Schema::File file;
    QString table;
    QString key;  // a record with this key in the file is updated
    QString name; // must not be empty; the export sorts by it

    // "products" or "customers"; no value for any other word.
    static std::optional<OfficeTable> named(const QString &word);

    bool isProducts() const { return file == Schema::File::Stok; }

    // The table's columns in table order; empty when they cannot be read.
    QStringList columns(const QSqlDatabase &db) const;
    // Columns the file carries beyond the table's own: a product's GTIN and
    // tare, kept with its other extras by the product's name.
    QStringList extraColumns() const;
};
