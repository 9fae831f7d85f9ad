#include "data/StationBackup.h"

#include "data/Schema.h"
#include "station/SqliteFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <utility>

using namespace Qt::StringLiterals;

namespace StationBackup {
namespace {

using SqliteFile::DbHandle;
using SqliteFile::errorText;
using SqliteFile::exec;

constexpr char AttachSql[] = "ATTACH DATABASE ?1 AS ?2";
constexpr char BeginSql[] = "BEGIN";
constexpr char EndSql[] = "COMMIT";
// Reading each file's schema takes its read lock inside the transaction.
constexpr char TouchSchemaSql[] = "SELECT count(*) FROM \"%1\".sqlite_master";

const Schema::File Files[] = {Schema::File::Cari, Schema::File::Stok, Schema::File::Tavran};
const QString TextFiles[] = {u"Tavran.Txt"_s, u"Personel.Txt"_s};

bool attach(sqlite3 *db, const QString &path, const QString &schema, QString *error)
{
    sqlite3_stmt *raw = nullptr;
    if (sqlite3_prepare_v2(db, AttachSql, -1, &raw, nullptr) != SQLITE_OK) {
        *error = errorText(db);
        return false;
    }
    const SqliteFile::StmtHandle stmt(raw);
    const QByteArray file = QFile::encodeName(path);
    const QByteArray name = schema.toUtf8();
    sqlite3_bind_text(raw, 1, file.constData(), int(file.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(raw, 2, name.constData(), int(name.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(raw) != SQLITE_DONE) {
        // A busy file is not one that cannot be opened: the busy text says so alone.
        *error = SqliteFile::isBusy(sqlite3_errcode(db)) ? errorText(db)
                                                          : u"açılamadı: %1: %2"_s.arg(path, errorText(db));
        return false;
    }
    return true;
}

bool backupOne(sqlite3 *source, const QString &schema, const QString &target, QString *error)
{
    QFile::remove(target);
    const DbHandle dest = SqliteFile::open(target, true, SqliteFile::BusyTimeoutMs, error);
    if (!dest) {
        *error = u"açılamadı: %1: %2"_s.arg(target, *error);
        return false;
    }
    const QByteArray name = schema.toUtf8();
    sqlite3_backup *backup = sqlite3_backup_init(dest.get(), "main", source, name.constData());
    if (!backup) {
        *error = u"yazılamadı: %1: %2"_s.arg(target, errorText(dest.get()));
        return false;
    }
    // All pages in one step: the source's read transaction keeps them still.
    const int step = sqlite3_backup_step(backup, -1);
    const int finish = sqlite3_backup_finish(backup);
    if (step != SQLITE_DONE || finish != SQLITE_OK) {
        *error = u"kopyalanamadı: %1: %2"_s.arg(QFileInfo(target).fileName(),
                                            QString::fromUtf8(sqlite3_errstr(step != SQLITE_DONE ? step : finish)));
        return false;
    }
    return true;
}

bool copyText(const QString &from, const QString &to, QString *error)
{
    QFile::remove(to);
    if (QFile::copy(from, to))
        return true;
    *error = u"%1, %2 olarak kopyalanamadı"_s.arg(from, to);
    return false;
}

} // namespace

Result copy(const QString &stationFolder, const QString &destination, bool overwrite)
{
    Result result;
    const QDir station(stationFolder);
    const QDir target(destination);
    if (QFileInfo(destination).exists()
        && QFileInfo(destination).canonicalFilePath() == QFileInfo(stationFolder).canonicalFilePath()) {
        result.error = u"yedek klasörü istasyon klasörünün kendisi"_s;
        return result;
    }
    for (Schema::File file : Files) {
        if (!QFileInfo::exists(station.filePath(Schema::fileName(file)))) {
            result.error = u"%1, %2 içinde yok"_s.arg(Schema::fileName(file), stationFolder);
            return result;
        }
    }
    // An earlier backup there is somebody's only copy of that day.
    QStringList earlier;
    for (Schema::File file : Files)
        earlier << Schema::fileName(file);
    for (const QString &name : TextFiles)
        earlier << name;
    earlier.removeIf([&target](const QString &name) { return !QFileInfo::exists(target.filePath(name)); });
    if (!overwrite && !earlier.isEmpty()) {
        result.error = u"%1 zaten bir yedek tutuyor (%2); üzerine yazmak için --overwrite"_s.arg(
            destination, earlier.join(u", "_s));
        return result;
    }
    if (!QDir().mkpath(destination)) {
        result.error = u"klasör oluşturulamadı: %1"_s.arg(destination);
        return result;
    }

    // Read-write where allowed, never created: a crashed writer's journal is
    // rolled back before the copy reads.
    const QString first = station.filePath(Schema::fileName(Files[0]));
    const DbHandle source = SqliteFile::open(first, false, SqliteFile::BusyTimeoutMs, &result.error);
    if (!source) {
        result.error = u"açılamadı: %1: %2"_s.arg(first, result.error);
        return result;
    }
    // Each file is written beside its place first, so a copy that fails half-way
    // leaves the earlier backup as it was.
    const auto staged = [&target](const QString &name) { return target.filePath(name + u".yeni"_s); };
    const auto discard = [&]() {
        for (Schema::File file : Files)
            QFile::remove(staged(Schema::fileName(file)));
        for (const QString &name : TextFiles)
            QFile::remove(staged(name));
        result.copied.clear();
        return result;
    };
    QStringList schemas{u"main"_s};
    for (Schema::File file : {Schema::File::Stok, Schema::File::Tavran}) {
        const QString schema = u"f"_s + QString::number(schemas.size());
        if (!attach(source.get(), station.filePath(Schema::fileName(file)), schema, &result.error))
            return result;
        schemas << schema;
    }
    if (!exec(source.get(), BeginSql, &result.error))
        return result;
    for (qsizetype i = 0; i < schemas.size(); ++i) {
        if (!exec(source.get(), QString::fromLatin1(TouchSchemaSql).arg(schemas[i]).toUtf8().constData(),
                  &result.error)) {
            // The engine names the first file; the one another program holds is this one.
            if (SqliteFile::isBusy(sqlite3_errcode(source.get())))
                result.error = SqliteFile::busyMessage(Schema::fileName(Files[i]));
            return result;
        }
    }
    for (qsizetype i = 0; i < schemas.size(); ++i) {
        const QString name = Schema::fileName(Files[i]);
        if (!backupOne(source.get(), schemas[i], staged(name), &result.error))
            return discard();
        result.copied << name;
    }
    exec(source.get(), EndSql, &result.error);

    for (const QString &name : TextFiles) {
        if (!QFileInfo::exists(station.filePath(name))) {
            result.absent << name;
            continue;
        }
        if (!copyText(station.filePath(name), staged(name), &result.error))
            return discard();
        result.copied << name;
    }
    // Only a whole new backup replaces the earlier one.
    for (const QString &name : std::as_const(result.copied)) {
        if (std::rename(QFile::encodeName(staged(name)).constData(),
                        QFile::encodeName(target.filePath(name)).constData())
            != 0) {
            result.error = u"%1 yerine konamadı"_s.arg(target.filePath(name));
            return discard();
        }
    }
    result.error.clear();
    result.ok = true;
    return result;
}

} // namespace StationBackup
