#pragma once

#include <QString>

class CentralDatabase;

// Copies a station folder's accounts, products and stock movements onto the
// central server in one transaction: all of them or nothing.
namespace CentralCopy {

struct Result
{
    qint64 customers = 0;
    qint64 products = 0;
    qint64 movements = 0;
    QString failure; // Turkish; empty when copied

    bool ok() const { return failure.isEmpty(); }
};

// Refused when the server already holds rows, unless `append`: a folder
// copied twice would count its stock twice and list everything twice.
Result copy(CentralDatabase &central, const QString &folder, bool append);

} // namespace CentralCopy
