#include "data/SqlDialect.h"

#include "data/PostgresDialect.h"
#include "data/SqliteDialect.h"

#include <QSqlDatabase>

using namespace Qt::StringLiterals;

const QString SqlDialect::SqliteDriver = u"QSQLITE"_s;
const QString SqlDialect::PostgresDriver = u"QPSQL"_s;

const SqlDialect &SqlDialect::sqlite()
{
    static const SqliteDialect dialect;
    return dialect;
}

const SqlDialect &SqlDialect::postgres()
{
    static const PostgresDialect dialect;
    return dialect;
}

const SqlDialect &SqlDialect::of(const QSqlDatabase &db)
{
    return db.driverName() == PostgresDriver ? postgres() : sqlite();
}
