#include "station/SettingsStore.h"

#include "station/SqliteFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSettings>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcSettings, "tavran.station.settings")

namespace {

constexpr char CreateTableSql[] =
    "CREATE TABLE IF NOT EXISTS value("
    "name TEXT PRIMARY KEY COLLATE NOCASE, type INTEGER NOT NULL, data BLOB)";
constexpr char TableExistsSql[] = "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'value'";
constexpr char SelectValueSql[] = "SELECT type, data FROM value WHERE name = ?1";
constexpr char UpsertValueSql[] =
    "INSERT INTO value(name, type, data) VALUES(?1, ?2, ?3) "
    "ON CONFLICT(name) DO UPDATE SET type = excluded.type, data = excluded.data";
constexpr char SelectNamesSql[] = "SELECT name FROM value ORDER BY name";
constexpr char DeleteValueSql[] = "DELETE FROM value WHERE name = ?1";

using SqliteFile::DbHandle;
using SqliteFile::StmtHandle;

bool execSql(sqlite3 *db, const char *sql)
{
    QString error;
    if (!SqliteFile::exec(db, sql, &error)) {
        qCWarning(lcSettings) << "statement failed:" << error;
        return false;
    }
    return true;
}

DbHandle openDb(const QString &path, bool forWriting)
{
    QString error;
    DbHandle db = SqliteFile::open(path, forWriting, SqliteFile::BusyTimeoutMs, &error);
    if (!db && forWriting)
        qCWarning(lcSettings) << "cannot open" << path << error;
    // A settings write the station reported as done must survive a power cut.
    if (db && forWriting && !execSql(db.get(), SqliteFile::DurableSql))
        return nullptr;
    return db;
}

StmtHandle prepare(sqlite3 *db, const char *sql)
{
    QString error;
    StmtHandle stmt = SqliteFile::prepare(db, sql, &error);
    if (!stmt)
        qCWarning(lcSettings) << "prepare failed:" << error;
    return stmt;
}

// The station key holds the staff's password hashes: its folder and file are
// the owner's alone, and ones left readable by an older station are narrowed.
void narrowAccess(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (QFileInfo::exists(path))
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
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

StationKey::Lookup StationKey::lookup(const QString &name) const
{
    Lookup result;
    if (!QFileInfo::exists(m_path))
        return result;
    narrowAccess(m_path);
    // Why the key could not be read, for the operator; the engine's words go to the log.
    const auto unreadable = [&result, this](int rc, const QString &error) {
        qCWarning(lcSettings) << "cannot read" << m_path << error;
        const int code = rc & 0xff;
        result.problem = code == SQLITE_BUSY || code == SQLITE_LOCKED ? u"başka bir program kilitlemiş"_s
                         : code == SQLITE_READONLY              ? u"yarım kalmış yazma geri alınamadı"_s
                         : code == SQLITE_CANTOPEN || code == SQLITE_PERM ? u"dosya açılamadı"_s
                                                                : u"dosya bozuk"_s;
        return result;
    };
    QString error;
    // Read-write where allowed: a leftover journal is rolled back, not read around.
    DbHandle db = SqliteFile::open(m_path, false, SqliteFile::BusyTimeoutMs, &error);
    if (!db)
        return unreadable(SQLITE_CANTOPEN, error);
    StmtHandle exists = SqliteFile::prepare(db.get(), TableExistsSql, &error);
    if (!exists)
        return unreadable(sqlite3_extended_errcode(db.get()), error);
    const int existsRc = sqlite3_step(exists.get());
    if (existsRc == SQLITE_DONE)
        return result; // an empty file: a write that never got as far as the table
    if (existsRc != SQLITE_ROW)
        return unreadable(sqlite3_extended_errcode(db.get()), QString::fromUtf8(sqlite3_errmsg(db.get())));
    StmtHandle stmt = SqliteFile::prepare(db.get(), SelectValueSql, &error);
    if (!stmt)
        return unreadable(sqlite3_extended_errcode(db.get()), error);
    SqliteFile::bindText(stmt.get(), 1, name);
    const int rc = sqlite3_step(stmt.get());
    if (rc == SQLITE_DONE || (rc == SQLITE_ROW && sqlite3_column_int(stmt.get(), 0) != Text))
        return result;
    if (rc != SQLITE_ROW)
        return unreadable(sqlite3_extended_errcode(db.get()), QString::fromUtf8(sqlite3_errmsg(db.get())));
    const auto *bytes = static_cast<const char *>(sqlite3_column_blob(stmt.get(), 1));
    const int size = sqlite3_column_bytes(stmt.get(), 1);
    QByteArray data(bytes ? bytes : "", size);
    const qsizetype nul = data.indexOf('\0');
    if (nul >= 0)
        data.truncate(nul);
    result.value = QString::fromUtf8(data);
    return result;
}

bool StationKey::write(const QString &name, const QString &text) const
{
    return writeRaw(name, Text, text.toUtf8());
}

bool StationKey::writeRaw(const QString &name, int type, const QByteArray &data) const
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    narrowAccess(m_path);
    if (!SqliteFile::createPrivate(m_path)) {
        qCWarning(lcSettings) << "cannot create" << m_path;
        return false;
    }
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

bool StationKey::remove(const QString &name) const
{
    if (!QFileInfo::exists(m_path))
        return true;
    narrowAccess(m_path);
    DbHandle db = openDb(m_path, true);
    if (!db)
        return false;
    StmtHandle stmt = prepare(db.get(), DeleteValueSql);
    if (!stmt)
        return false; // no table yet: nothing to remove either, but say so
    SqliteFile::bindText(stmt.get(), 1, name);
    if (sqlite3_step(stmt.get()) != SQLITE_DONE) {
        qCWarning(lcSettings) << "remove failed:" << sqlite3_errmsg(db.get());
        return false;
    }
    return true;
}

QStringList StationKey::names(QString *problem) const
{
    QStringList result;
    // The same checks a read makes: a leftover journal rolled back, a lock or damage told.
    if (const Lookup probe = lookup(QString()); !probe.readable()) {
        if (problem)
            *problem = probe.problem;
        return result;
    }
    if (!QFileInfo::exists(m_path))
        return result;
    DbHandle db = openDb(m_path, false);
    if (!db)
        return result;
    StmtHandle stmt = prepare(db.get(), SelectNamesSql);
    while (stmt && sqlite3_step(stmt.get()) == SQLITE_ROW)
        result << SqliteFile::columnText(stmt.get(), 0);
    return result;
}

std::optional<QString> ReadRegValue(const QString &name)
{
    return StationKey().read(name);
}

SettingChangeObserver &settingChangeObserver()
{
    static SettingChangeObserver observer;
    return observer;
}

void SetSettingChangeObserver(SettingChangeObserver observer)
{
    settingChangeObserver() = std::move(observer);
}

void WriteRegValue(const QString &name, const QString &text)
{
    const StationKey key;
    const bool changed = settingChangeObserver() && key.read(name) != text;
    if (key.write(name, text) && changed)
        settingChangeObserver()(name, text, false);
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

bool SaveAppSetting(const QString &section, const QString &key, const QString &value)
{
    QSettings settings = appSettings();
    const QString path = section + u'/' + key;
    const bool changed = settingChangeObserver() && settings.value(path).toString() != value;
    settings.setValue(path, value);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        qCWarning(lcSettings) << "cannot save" << key << "to" << settings.fileName();
        return false;
    }
    if (changed)
        settingChangeObserver()(key, value, true);
    return true;
}

QStringList AppSettingKeys(const QString &section)
{
    QSettings settings = appSettings();
    settings.beginGroup(section);
    return settings.childKeys();
}
