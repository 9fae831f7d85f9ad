#include "support/TestPostgres.h"

#include "data/CentralDatabase.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace TestPostgres {
namespace {

QString serverDir()
{
    return QString::fromUtf8(TAVRAN_BINARY_DIR) + u"/postgres"_s;
}

constexpr char16_t TerminateSql[] =
    u"SELECT count(pg_terminate_backend(pid)) FROM pg_stat_activity "
    u"WHERE datname = CAST(? AS text) AND pid <> pg_backend_pid()";

} // namespace

std::optional<DatabaseLocation> freshDatabase(QString *why)
{
    if (!CentralDatabase::driverAvailable()) {
        *why = u"Qt's PostgreSQL driver is not installed (libqt6sql6-psql)"_s;
        return std::nullopt;
    }
    QFile portFile(serverDir() + u"/port"_s);
    if (!portFile.open(QIODevice::ReadOnly)) {
        *why = u"no test PostgreSQL server (tests/postgres/start-postgres.sh; package postgresql)"_s;
        return std::nullopt;
    }
    DatabaseLocation admin;
    admin.central = true;
    admin.user = u"tavran"_s;
    admin.host = u"127.0.0.1"_s;
    admin.port = QString::fromLatin1(portFile.readAll()).trimmed().toInt();
    admin.name = u"postgres"_s;
    static QAtomicInt counter;
    DatabaseLocation fresh = admin;
    fresh.name = u"t%1_%2"_s.arg(QCoreApplication::applicationPid())
                     .arg(counter.fetchAndAddRelaxed(1));
    CentralDatabase server(admin);
    if (!server.open()) {
        *why = u"the test PostgreSQL server does not answer: "_s + server.lastError();
        return std::nullopt;
    }
    QSqlQuery create(server.database());
    // The name is the test's own, never outside text.
    if (!create.exec(u"CREATE DATABASE "_s + fresh.name)) {
        *why = u"the test PostgreSQL server refuses a database: "_s + create.lastError().text();
        return std::nullopt;
    }
    return fresh;
}

bool restartServer()
{
    return QProcess::execute(serverDir() + u"/restart"_s, {}) == 0;
}

bool stopServer()
{
    return QProcess::execute(serverDir() + u"/stop"_s, {}) == 0;
}

bool startServer()
{
    return QProcess::execute(serverDir() + u"/start"_s, {}) == 0;
}

bool cutConnections(const DatabaseLocation &location)
{
    DatabaseLocation admin = location;
    admin.name = u"postgres"_s;
    CentralDatabase server(admin);
    if (!server.open())
        return false;
    QSqlQuery terminate(server.database());
    terminate.prepare(QString::fromUtf16(TerminateSql));
    terminate.addBindValue(location.name);
    return terminate.exec();
}

} // namespace TestPostgres
