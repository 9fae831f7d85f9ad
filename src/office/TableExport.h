#pragma once

#include "office/OfficeTable.h"

#include <QByteArray>
#include <optional>

// The products or customers as a CSV file the import reads back: a header of
// the table's columns, then the records in Turkish order of their names.
namespace TableExport {

// No value when the table cannot be read.
std::optional<QByteArray> run(const QSqlDatabase &db, const OfficeTable &table);

} // namespace TableExport
