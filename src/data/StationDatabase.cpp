#include "data/StationDatabase.h"

#include "data/TurkishText.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcDatabase, "tavran.data")

namespace {

int turkishCollation(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    const QStringView viewA(static_cast<const char16_t *>(a), lengthA / 2);
    const QStringView viewB(static_cast<const char16_t *>(b), lengthB / 2);
    return TurkishText::compare(viewA, viewB);
}

QString nextConnectionName()
{
    static QAtomicInt counter;
    return u"tavran-db-"_s + QString::number(counter.fetchAndAddRelaxed(1));
}

} // namespace

bool registerTurkishCollation(const QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    auto *sqlite = *static_cast<sqlite3 *const *>(handle.constData());
    if (!sqlite)
        return false;
    return sqlite3_create_collation_v2(sqlite, "TURKISH", SQLITE_UTF16_ALIGNED, nullptr,
                                       &turkishCollation, nullptr)
           == SQLITE_OK;
}

StationDatabase::StationDatabase(const QString &path, Schema::File file)
    : m_path(path)
    , m_connectionName(nextConnectionName())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connectionName);
    db.setDatabaseName(path);
    db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=3000"_s);
    if (!db.open()) {
        qCWarning(lcDatabase) << "cannot open" << path << db.lastError().text();
        return;
    }
    if (!registerTurkishCollation(db)) {
        qCWarning(lcDatabase) << "cannot register the Turkish collation on" << path;
        db.close();
        return;
    }
    QSqlQuery pragma(db);
    // WAL keeps a booked row safe across a power cut without a slow fsync per row.
    if (!pragma.exec(u"PRAGMA journal_mode=WAL"_s) || !pragma.exec(u"PRAGMA synchronous=NORMAL"_s))
        qCWarning(lcDatabase) << "journal settings failed on" << path << pragma.lastError().text();
    if (!Schema::create(db, file)) {
        qCWarning(lcDatabase) << path << "is not a usable station database";
        db.close();
        return;
    }
    m_open = true;
}

StationDatabase::~StationDatabase()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase StationDatabase::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}
