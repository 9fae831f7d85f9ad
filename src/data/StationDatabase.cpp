#include "data/StationDatabase.h"

#include "data/CentralDatabase.h"
#include "data/TurkishText.h"
#include "station/SqliteFile.h"

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

// turkish_fold(text): the text folded as the station's searches fold it, so
// a statement can match without regard to case the Turkish way.
void turkishFoldFunction(sqlite3_context *context, int, sqlite3_value **arguments)
{
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto *text = static_cast<const char16_t *>(sqlite3_value_text16(arguments[0]));
    const int bytes = sqlite3_value_bytes16(arguments[0]);
    const QString folded = TurkishText::fold(QStringView(text, bytes / 2));
    sqlite3_result_text16(context, folded.utf16(), int(folded.size() * 2), SQLITE_TRANSIENT);
}

// Rollback journal and a full sync at each commit, the folder included once
// the journal is deleted: what the station has shown as done survives a power
// cut, and a transaction over attached files commits all or nothing (WAL
// cannot do that across files).
constexpr char16_t JournalModeSetting[] = u"journal_mode=DELETE";
constexpr char16_t SynchronousSetting[] = u"synchronous=EXTRA";

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
    return sqlite && registerTurkishCollation(sqlite);
}

bool registerTurkishCollation(sqlite3 *sqlite)
{
    return sqlite3_create_collation_v2(sqlite, "TURKISH", SQLITE_UTF16_ALIGNED, nullptr,
                                       &turkishCollation, nullptr)
               == SQLITE_OK
           && sqlite3_create_function_v2(sqlite, "turkish_fold", 1,
                                         SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr,
                                         &turkishFoldFunction, nullptr, nullptr, nullptr)
                  == SQLITE_OK;
}

bool isBusy(const QSqlError &error)
{
    bool number = false;
    const int code = error.nativeErrorCode().toInt(&number);
    return number && SqliteFile::isBusy(code);
}

QString errorText(const QSqlError &error, const QSqlDatabase &db)
{
    if (db.isValid() && db.driverName() == u"QSQLITE"_s && isBusy(error))
        return SqliteFile::busyMessage(QFileInfo(db.databaseName()).fileName());
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text() : text;
}

bool makeDurable(const QSqlDatabase &db, const QString &schema, QSqlError *error)
{
    // The schema name is the station's own, never operator text.
    const QString pragmaOf = schema.isEmpty() ? u"PRAGMA "_s : u"PRAGMA "_s + schema + u'.';
    QSqlQuery pragma(db);
    const bool ok = pragma.exec(pragmaOf + QString::fromUtf16(JournalModeSetting)) && pragma.next()
                    && pragma.value(0).toString().compare(u"delete"_s, Qt::CaseInsensitive) == 0
                    && pragma.exec(pragmaOf + QString::fromUtf16(SynchronousSetting));
    if (!ok) {
        qCWarning(lcDatabase) << "journal settings failed on" << db.databaseName() << schema
                              << pragma.lastError().text();
        if (error)
            *error = pragma.lastError();
    }
    return ok;
}

StationDatabase::StationDatabase(const QString &path, Schema::File file)
    : m_path(path)
    , m_connectionName(nextConnectionName())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connectionName);
    db.setDatabaseName(path);
    db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT="_s + QString::number(SqliteFile::BusyTimeoutMs));
    if (!db.open()) {
        qCWarning(lcDatabase) << "cannot open" << path << db.lastError().text();
        return;
    }
    if (!registerTurkishCollation(db)) {
        qCWarning(lcDatabase) << "cannot register the Turkish collation on" << path;
        db.close();
        return;
    }
    // A folder another station or program holds open may stay in its old
    // mode for now; the station still works on it. A file locked all the
    // while is not opened: every later statement would wait as long again.
    QSqlError refused;
    if (!makeDurable(db, {}, &refused) && isBusy(refused)) {
        m_busy = true;
        db.close();
        return;
    }
    if (!Schema::create(db, file)) {
        qCWarning(lcDatabase) << path << "is not a usable station database";
        db.close();
        return;
    }
    m_open = true;
}

StationDatabase::StationDatabase(const DatabaseLocation &server)
    : m_path(server.display())
    , m_central(std::make_unique<CentralDatabase>(server))
{
    reconnect();
}

bool StationDatabase::reconnect()
{
    // The tables are the plant's to set up (tavran db init); a station only connects.
    if (m_central)
        m_open = m_central->ensureOpen();
    return m_open;
}

QString StationDatabase::openError() const
{
    if (m_central)
        return m_open ? QString() : m_central->lastError();
    if (m_busy)
        return SqliteFile::busyMessage(QFileInfo(m_path).fileName());
    return m_open ? QString() : u"%1 açılamadı"_s.arg(m_path);
}

StationDatabase::~StationDatabase()
{
    if (m_central)
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase StationDatabase::database() const
{
    if (m_central)
        return m_central->database();
    return QSqlDatabase::database(m_connectionName, false);
}
