#include "data/RowCopy.h"

#include "data/StationDatabase.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace RowCopy {

qint64 copyRows(const End &from, const End &to, QString &failure)
{
    QSqlQuery read(from.db);
    read.setForwardOnly(true);
    if (!read.exec(from.sql)) {
        failure = from.failureText + u": "_s + errorText(read.lastError());
        return -1;
    }
    QSqlQuery write(to.db);
    if (!write.prepare(to.sql)) {
        failure = to.failureText + u": "_s + errorText(write.lastError());
        return -1;
    }
    qint64 count = 0;
    while (read.next()) {
        const int columns = read.record().count();
        for (int column = 0; column < columns; ++column)
            write.bindValue(column, read.value(column));
        if (!write.exec()) {
            failure = to.failureText + u": "_s + errorText(write.lastError());
            return -1;
        }
        ++count;
    }
    if (read.lastError().isValid()) {
        failure = from.failureText + u": "_s + errorText(read.lastError());
        return -1;
    }
    return count;
}

} // namespace RowCopy
