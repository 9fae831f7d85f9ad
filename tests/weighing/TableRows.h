#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

// The rows a query selects, each as its fields joined by `separator`, "-"
// for an empty field; one "unreadable" row when the query fails.
inline QStringList tableRows(const QSqlDatabase &db, const QString &sql, QChar separator = u' ')
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        return {QStringLiteral("unreadable")};
    QStringList rows;
    while (query.next()) {
        QStringList fields;
        for (int i = 0; i < query.record().count(); ++i)
            fields << (query.isNull(i) ? QStringLiteral("-") : query.value(i).toString());
        rows << fields.join(separator);
    }
    return rows;
}
