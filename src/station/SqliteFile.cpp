#include "station/SqliteFile.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SqliteFile {

DbHandle open(const QString &path, bool forWriting, int busyMs, QString *error)
{
    // Readers open read-write too, so a crashed writer's journal is rolled back
    // before the first read; SQLite falls back to read-only on a write-protected file.
    const int flags = forWriting ? (SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) : SQLITE_OPEN_READWRITE;
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, flags, nullptr);
    DbHandle db(raw);
    if (rc != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
        return nullptr;
    }
    sqlite3_busy_timeout(db.get(), busyMs);
    return db;
}

bool isBusy(int resultCode)
{
    const int primary = resultCode & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

QString busyReason()
{
    return QStringLiteral("meşgul: başka bir program kilitli tutuyor (%1 saniye beklendi)")
        .arg(BusyTimeoutMs / 1000);
}

QString busyMessage(const QString &fileName)
{
    return fileName + u' ' + busyReason();
}

bool isLeftoverJournal(int resultCode)
{
    return resultCode == SQLITE_READONLY_ROLLBACK || resultCode == SQLITE_READONLY_RECOVERY;
}

QString leftoverJournalMessage()
{
    return QStringLiteral("yarım kalmış bir işlem var; istasyon açılınca geri alınır");
}

QString errorText(sqlite3 *db)
{
    const int code = sqlite3_extended_errcode(db);
    if (isBusy(code)) {
        const char *file = sqlite3_db_filename(db, "main");
        return busyMessage(file ? QFileInfo(QFile::decodeName(file)).fileName() : QString());
    }
    if (isLeftoverJournal(code))
        return leftoverJournalMessage();
    return QString::fromUtf8(sqlite3_errmsg(db));
}

StmtHandle prepare(sqlite3 *db, const char *sql, QString *error)
{
    sqlite3_stmt *raw = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK) {
        if (error)
            *error = errorText(db);
        return nullptr;
    }
    return StmtHandle(raw);
}

bool exec(sqlite3 *db, const char *sql, QString *error)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    if (error)
        *error = errorText(db);
    return false;
}

void bindText(sqlite3_stmt *stmt, int index, const QString &text)
{
    if (text.isNull()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

QString columnText(sqlite3_stmt *stmt, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(stmt, column)) : QString();
}

bool createPrivate(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    // Created 0600 from the first byte on: no moment where others may read it.
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool narrowed = ::fchmod(fd, 0600) == 0;
    ::close(fd);
    return narrowed;
}

} // namespace SqliteFile
