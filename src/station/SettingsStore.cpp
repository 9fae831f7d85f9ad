#include "station/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSettings>
#include <QStandardPaths>
#include <sqlite3.h>
#include <memory>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcSettings, "tavran.station.settings")

namespace {

constexpr char CreateTableSql[] =
    "CREATE TABLE IF NOT EXISTS value("
    "name TEXT PRIMARY KEY COLLATE NOCASE, type INTEGER NOT NULL, data BLOB)";
constexpr char SelectValueSql[] = "SELECT type, data FROM value WHERE name = ?1";
constexpr char UpsertValueSql[] =
    "INSERT INTO value(name, type, data) VALUES(?1, ?2, ?3) "
    "ON CONFLICT(name) DO UPDATE SET type = excluded.type, data = excluded.data";
constexpr char SelectNamesSql[] = "SELECT name FROM value ORDER BY name";

struct DbCloser
{
    void operator()(sqlite3 *db) const { sqlite3_close_v2(db); }
};
struct StmtFinalizer
{
    void operator()(sqlite3_stmt *stmt) const { sqlite3_finalize(stmt); }
};
using DbHandle = std::unique_ptr<sqlite3, DbCloser>;
using StmtHandle = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

DbHandle openDb(const QString &path, bool forWriting)
{
    sqlite3 *raw = nullptr;
    const int flags = forWriting ? (SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)
                                 : SQLITE_OPEN_READONLY;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, flags, nullptr);
    DbHandle db(raw);
    if (rc != SQLITE_OK) {
        if (forWriting)
            qCWarning(lcSettings) << "cannot open" << path << sqlite3_errstr(rc);
        return nullptr;
    }
    sqlite3_busy_timeout(db.get(), 2000);
    return db;
}

StmtHandle prepare(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *raw = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK) {
        qCWarning(lcSettings) << "prepare failed:" << sqlite3_errmsg(db);
        return nullptr;
    }
    return StmtHandle(raw);
}

bool execSql(sqlite3 *db, const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        qCWarning(lcSettings) << "statement failed:" << error;
        sqlite3_free(error);
        return false;
    }
    return true;
}

QSettings appSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, u"Tavran"_s, u"Tavran"_s);
}

} // namespace

QString StationKey::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + u"/ZazivEd/Properties1.db"_s;
}

StationKey::StationKey(QString path)
    : m_path(std::move(path))
{
}

std::optional<QString> StationKey::read(const QString &name) const
{
    if (!QFileInfo::exists(m_path))
        return std::nullopt;
    DbHandle db = openDb(m_path, false);
    if (!db)
        return std::nullopt;
    StmtHandle stmt = prepare(db.get(), SelectValueSql);
    if (!stmt)
        return std::nullopt;
    const QByteArray utf8Name = name.toUtf8();
    sqlite3_bind_text(stmt.get(), 1, utf8Name.constData(), int(utf8Name.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(stmt.get()) != SQLITE_ROW)
        return std::nullopt;
    if (sqlite3_column_int(stmt.get(), 0) != Text)
        return std::nullopt;
    const auto *bytes = static_cast<const char *>(sqlite3_column_blob(stmt.get(), 1));
    const int size = sqlite3_column_bytes(stmt.get(), 1);
    QByteArray data(bytes ? bytes : "", size);
    const qsizetype nul = data.indexOf('\0');
    if (nul >= 0)
        data.truncate(nul);
    return QString::fromUtf8(data);
}

bool StationKey::write(const QString &name, const QString &text) const
{
    return writeRaw(name, Text, text.toUtf8());
}

bool StationKey::writeRaw(const QString &name, int type, const QByteArray &data) const
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    DbHandle db = openDb(m_path, true);
    if (!db)
        return false;
    if (!execSql(db.get(), "BEGIN IMMEDIATE"))
        return false;
    bool ok = execSql(db.get(), CreateTableSql);
    if (ok) {
        StmtHandle stmt = prepare(db.get(), UpsertValueSql);
        ok = stmt != nullptr;
        if (ok) {
            const QByteArray utf8Name = name.toUtf8();
            sqlite3_bind_text(stmt.get(), 1, utf8Name.constData(), int(utf8Name.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int(stmt.get(), 2, type);
            // A zero-length blob, never NULL: an empty text is a value.
            sqlite3_bind_blob(stmt.get(), 3, data.constData(), int(data.size()), SQLITE_TRANSIENT);
            ok = sqlite3_step(stmt.get()) == SQLITE_DONE;
            if (!ok)
                qCWarning(lcSettings) << "write failed:" << sqlite3_errmsg(db.get());
        }
    }
    if (!execSql(db.get(), ok ? "COMMIT" : "ROLLBACK"))
        return false;
    return ok;
}

QStringList StationKey::names() const
{
    QStringList result;
    if (!QFileInfo::exists(m_path))
        return result;
    DbHandle db = openDb(m_path, false);
    if (!db)
        return result;
    StmtHandle stmt = prepare(db.get(), SelectNamesSql);
    while (stmt && sqlite3_step(stmt.get()) == SQLITE_ROW)
        result << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt.get(), 0)));
    return result;
}

std::optional<QString> ReadRegValue(const QString &name)
{
    return StationKey().read(name);
}

void WriteRegValue(const QString &name, const QString &text)
{
    StationKey().write(name, text);
}

QString regText(const std::optional<QString> &value)
{
    return value.value_or(QString());
}

bool regBool(const std::optional<QString> &value)
{
    return value && value->compare(u"True"_s, Qt::CaseInsensitive) == 0;
}

QString GetAppSetting(const QString &section, const QString &key, const QString &defaultValue)
{
    QSettings settings = appSettings();
    return settings.value(section + u'/' + key, defaultValue).toString();
}

void SaveAppSetting(const QString &section, const QString &key, const QString &value)
{
    QSettings settings = appSettings();
    settings.setValue(section + u'/' + key, value);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        qCWarning(lcSettings) << "cannot save" << key << "to" << settings.fileName();
}

QStringList AppSettingKeys(const QString &section)
{
    QSettings settings = appSettings();
    settings.beginGroup(section);
    return settings.childKeys();
}
