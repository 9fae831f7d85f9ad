#pragma once

#include <QSqlDatabase>
#include <QString>

namespace RowCopy {

// The two ends of a copy: a connection and its statement, and what the
// operator reads when that end fails ("sunucuya yazılamadı").
struct End
{
    QSqlDatabase db;
    QString sql;
    QString failureText;
};

// Copies every row `from` reads into `to` (one bound value per column
// read); the rows copied, or -1 with `failure` set. The caller holds the
// transaction.
qint64 copyRows(const End &from, const End &to, QString &failure);

} // namespace RowCopy
