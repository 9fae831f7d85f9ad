#include "data/CentralDatabase.h"

#include "data/SqlDialect.h"

#include <QAtomicInt>
#include <QLoggingCategory>
#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcCentral, "tavran.data.central")

namespace {

constexpr char16_t PingSql[] = u"SELECT 1";
// Two stations running init at once must not both create a table.
constexpr char16_t SchemaLockSql[] = u"SELECT pg_advisory_xact_lock(7311)";
// "already exists, skipping" is what a repeated init expects, not news.
constexpr char16_t QuietSql[] = u"SET LOCAL client_min_messages = warning";
// An index built over years of movements may take minutes: setting up is
// the plant's own command, not a station's worker.
constexpr char16_t NoTimeoutSql[] = u"SET LOCAL statement_timeout = 0";
// No statement may hold a station's worker longer than this: a row lock
// held by another session, a server that stopped answering mid-statement.
constexpr char16_t StatementTimeoutSql[] = u"SET statement_timeout = 10000";
constexpr int ConnectTimeoutSeconds = 3;
// A link that drops packets is given up within seconds, not after the
// system's minutes of retransmissions.
constexpr char16_t LinkOptions[] =
    u"keepalives=1;keepalives_idle=5;keepalives_interval=2;keepalives_count=3;"
    u"tcp_user_timeout=10000";

QString nextConnectionName()
{
    static QAtomicInt counter;
    return u"tavran-central-"_s + QString::number(counter.fetchAndAddRelaxed(1));
}

QString errorText(const QSqlError &error)
{
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text() : text;
}

} // namespace

CentralDatabase::CentralDatabase(const DatabaseLocation &location)
    : m_location(location)
    , m_connectionName(nextConnectionName())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(SqlDialect::PostgresDriver, m_connectionName);
    db.setHostName(location.host);
    db.setPort(location.port);
    db.setDatabaseName(location.name);
    db.setUserName(location.user);
    // The password comes from ~/.pgpass or PGPASSWORD through the client library.
    QStringList options{u"connect_timeout=%1"_s.arg(ConnectTimeoutSeconds),
                        QString::fromUtf16(LinkOptions)};
    if (!location.sslMode.isEmpty())
        options << u"sslmode="_s + location.sslMode;
    db.setConnectOptions(options.join(u';'));
}

CentralDatabase::~CentralDatabase()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool CentralDatabase::driverAvailable()
{
    return QSqlDatabase::isDriverAvailable(SqlDialect::PostgresDriver);
}

QSqlDatabase CentralDatabase::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool CentralDatabase::isOpen() const
{
    return database().isOpen();
}

bool CentralDatabase::open()
{
    QSqlDatabase db = database();
    if (!db.isValid()) {
        m_error = u"PostgreSQL sürücüsü kurulu değil (libqt6sql6-psql)"_s;
        return false;
    }
    if (db.isOpen())
        db.close();
    QString why;
    if (db.open()) {
        QSqlQuery timeout(db);
        if (timeout.exec(QString::fromUtf16(StatementTimeoutSql))) {
            m_error.clear();
            return true;
        }
        why = errorText(timeout.lastError());
        db.close();
    } else {
        why = errorText(db.lastError());
    }
    m_error = u"Merkez veritabanına bağlanılamadı (%1): %2"_s.arg(m_location.display(), why);
    qCWarning(lcCentral) << m_error;
    return false;
}

bool CentralDatabase::ensureOpen()
{
    if (isOpen()) {
        QSqlQuery ping(database());
        if (ping.exec(QString::fromUtf16(PingSql)))
            return true;
        qCInfo(lcCentral) << "connection lost, reconnecting:" << errorText(ping.lastError());
    }
    return open();
}

bool CentralDatabase::initSchema()
{
    if (!ensureOpen())
        return false;
    QSqlDatabase db = database();
    if (!db.transaction()) {
        m_error = u"Merkez veritabanında işlem başlatılamadı: "_s + errorText(db.lastError());
        return false;
    }
    QSqlQuery query(db);
    QStringList statements{QString::fromUtf16(QuietSql), QString::fromUtf16(NoTimeoutSql),
                           QString::fromUtf16(SchemaLockSql)};
    statements << SqlDialect::of(db).sharedSchema();
    for (const QString &sql : statements) {
        if (!query.exec(sql)) {
            m_error = u"Merkez veritabanı tabloları kurulamadı: "_s + errorText(query.lastError());
            qCWarning(lcCentral) << m_error << sql;
            db.rollback();
            return false;
        }
    }
    if (!db.commit()) {
        m_error = u"Merkez veritabanı tabloları kurulamadı: "_s + errorText(db.lastError());
        db.rollback();
        return false;
    }
    return true;
}
