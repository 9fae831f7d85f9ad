#include "data/StationCheck.h"

#include "data/Schema.h"
#include "data/StationDatabase.h"
#include "station/SqliteFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace StationCheck {
namespace {

constexpr char IntegrityCheckSql[] = "PRAGMA integrity_check";
// Indexes the first version ordered with its own Turkish collation: today's
// order differs, so SQLite finds rows "missing" from them. The next start
// drops and rebuilds them; they are no damage.
constexpr char FirstVersionIndexesSql[] =
    "SELECT name FROM sqlite_master WHERE type = 'index' AND sql LIKE '%COLLATE TURKISH%'";

const QString FirstVersionNote = u" (ilk sürümün dosyası: istasyon açılınca güncellenir)"_s;

// The rows of a one-column statement; false with `failure` set on an error.
bool rows(sqlite3 *db, const char *sql, QStringList &values, Finding &failure)
{
    QString error;
    SqliteFile::StmtHandle stmt = SqliteFile::prepare(db, sql, &error);
    int rc = stmt ? SQLITE_OK : sqlite3_extended_errcode(db);
    if (stmt) {
        while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW)
            values << SqliteFile::columnText(stmt.get(), 0);
        if (rc == SQLITE_DONE)
            return true;
        rc = sqlite3_extended_errcode(db);
        error = SqliteFile::errorText(db);
    }
    // Busy is not damage, and a crashed writer's journal only waits for the
    // station to roll it back.
    failure.sound = SqliteFile::isLeftoverJournal(rc);
    failure.summary = SqliteFile::isBusy(rc) ? SqliteFile::busyReason()
                      : failure.sound        ? error
                                             : u"bozuk: "_s + error;
    return false;
}

Finding check(const QString &path, int busyMs)
{
    Finding finding{QFileInfo(path).fileName(), false, {}};
    if (!QFileInfo::exists(path)) {
        finding.summary = u"yok"_s;
        return finding;
    }
    // Read-write where the file allows it: a journal left by a crash is rolled
    // back before the check reads, and an old write-ahead log is folded in
    // and removed when the file is closed. A missing file is never created.
    QString error;
    const SqliteFile::DbHandle db = SqliteFile::open(path, false, busyMs, &error);
    if (!db) {
        finding.summary = u"açılamadı: "_s + error;
        return finding;
    }
    registerTurkishCollation(db.get());
    QStringList oldIndexes;
    QStringList problems;
    if (!rows(db.get(), FirstVersionIndexesSql, oldIndexes, finding)
        || !rows(db.get(), IntegrityCheckSql, problems, finding))
        return finding;

    // One line per file: SQLite starts a report with "*** in database main ***"
    // on a line of its own.
    for (QString &problem : problems)
        problem = problem.remove(u"*** in database main ***"_s).simplified();
    problems.removeIf([&oldIndexes](const QString &problem) {
        return std::any_of(oldIndexes.cbegin(), oldIndexes.cend(), [&problem](const QString &index) {
            return problem.endsWith(u" index "_s + index);
        });
    });
    finding.sound = problems.isEmpty() || problems == QStringList{u"ok"_s};
    finding.summary = finding.sound ? u"sağlam"_s : u"bozuk: "_s + problems.value(0);
    if (problems.size() > 1 && !finding.sound)
        finding.summary += u" (ve %1 sorun daha)"_s.arg(problems.size() - 1);
    if (!oldIndexes.isEmpty())
        finding.summary += FirstVersionNote;
    return finding;
}

} // namespace

QList<Finding> run(const QString &stationFolder)
{
    // One busy time for the whole check, as for every command; a file after a
    // busy one still gets a moment for a station that is just committing.
    constexpr int MomentMs = 1000;
    const QDeadlineTimer deadline(SqliteFile::BusyTimeoutMs);
    QList<Finding> findings;
    for (Schema::File file : {Schema::File::Cari, Schema::File::Stok, Schema::File::Tavran}) {
        const int busyMs = std::max(int(deadline.remainingTime()), MomentMs);
        findings << check(QDir(stationFolder).filePath(Schema::fileName(file)), busyMs);
    }
    return findings;
}

} // namespace StationCheck
