#include "journal/JournalFile.h"

#include "journal/JournalChain.h"
#include "station/SqliteFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

using namespace Qt::StringLiterals;
using SqliteFile::DbHandle;
using SqliteFile::StmtHandle;

Q_LOGGING_CATEGORY(lcJournalFile, "tavran.journal.file")

namespace JournalFile {
namespace {

constexpr char SchemaSql[] =
    "CREATE TABLE IF NOT EXISTS entry("
    "id INTEGER PRIMARY KEY AUTOINCREMENT, time TEXT NOT NULL, station TEXT NOT NULL, "
    "staff TEXT NOT NULL, kind TEXT NOT NULL, product TEXT, kilograms REAL, barcode TEXT, "
    "barkod TEXT, production_date TEXT, use_by_date TEXT, printer TEXT, customer TEXT, "
    "rows INTEGER, sale_purchase TEXT, reason TEXT, detail TEXT, hash TEXT);"
    "CREATE INDEX IF NOT EXISTS entry_time ON entry(time);"
    "CREATE TRIGGER IF NOT EXISTS entry_kept BEFORE UPDATE ON entry "
    "BEGIN SELECT RAISE(ABORT, 'journal entries are never changed'); END;"
    "CREATE TRIGGER IF NOT EXISTS entry_not_deleted BEFORE DELETE ON entry "
    "BEGIN SELECT RAISE(ABORT, 'journal entries are never deleted'); END;";
// Journals written before the chain get the column; their entries stay unchained.
constexpr char HasHashSql[] = "SELECT 1 FROM pragma_table_info('entry') WHERE name = 'hash'";
constexpr char AddHashSql[] = "ALTER TABLE entry ADD COLUMN hash TEXT";
constexpr char TailSql[] = "SELECT id, hash FROM entry ORDER BY id DESC LIMIT 1";
constexpr char NextIdSql[] =
    "SELECT max(coalesce((SELECT seq FROM sqlite_sequence WHERE name = 'entry'), 0), "
    "coalesce((SELECT max(id) FROM entry), 0)) + 1";
constexpr char HashOfSql[] = "SELECT hash FROM entry WHERE id = ?1";
constexpr char InsertSql[] =
    "INSERT INTO entry(time, station, staff, kind, product, kilograms, barcode, barkod, "
    "production_date, use_by_date, printer, customer, rows, sale_purchase, reason, detail, id, hash) "
    "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18)";
constexpr char SelectUnchainedSql[] = "SELECT id FROM entry ORDER BY id";
constexpr char SelectChainSql[] =
    "SELECT id, time, station, staff, kind, product, kilograms, barcode, barkod, production_date, "
    "use_by_date, printer, customer, rows, sale_purchase, reason, detail, hash FROM entry ORDER BY id";
#define JOURNAL_SELECT \
    "SELECT id, time, station, staff, kind, product, kilograms, barcode, barkod, production_date, " \
    "use_by_date, printer, customer, rows, sale_purchase, reason, detail FROM entry "
constexpr char SelectFilteredSql[] = JOURNAL_SELECT
    "WHERE (?1 IS NULL OR substr(time, 1, 10) >= ?1) AND (?2 IS NULL OR substr(time, 1, 10) <= ?2) "
    "AND (?3 IS NULL OR staff = ?3) ORDER BY id";
constexpr char SelectOneSql[] = JOURNAL_SELECT "WHERE id = ?1";
#undef JOURNAL_SELECT
constexpr char TableExistsSql[] = "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'entry'";

// The stored fields' columns in the selects and the insert's parameters.
constexpr int FirstField = 1;
constexpr int KilogramsColumn = 6;
constexpr int RowsColumn = 13;
constexpr int LastField = 16;
constexpr int HashColumn = 17;

// How long an entry may wait for another writer: the work it records never waits longer.
constexpr int BusyMs = 250;

const QString TimeFormat = u"yyyy-MM-dd'T'HH:mm:ss"_s;

JournalEntry readRow(sqlite3_stmt *stmt)
{
    JournalEntry e;
    e.id = sqlite3_column_int64(stmt, 0);
    e.time = QDateTime::fromString(SqliteFile::columnText(stmt, 1), TimeFormat);
    e.station = SqliteFile::columnText(stmt, 2);
    e.staff = SqliteFile::columnText(stmt, 3);
    e.kind = SqliteFile::columnText(stmt, 4);
    e.product = SqliteFile::columnText(stmt, 5);
    if (sqlite3_column_type(stmt, 6) != SQLITE_NULL)
        e.kilograms = sqlite3_column_double(stmt, 6);
    e.barcode = SqliteFile::columnText(stmt, 7);
    e.barkod = SqliteFile::columnText(stmt, 8);
    e.productionDate = SqliteFile::columnText(stmt, 9);
    e.useByDate = SqliteFile::columnText(stmt, 10);
    e.printer = SqliteFile::columnText(stmt, 11);
    e.customer = SqliteFile::columnText(stmt, 12);
    if (sqlite3_column_type(stmt, 13) != SQLITE_NULL)
        e.rows = sqlite3_column_int(stmt, 13);
    e.salePurchase = SqliteFile::columnText(stmt, 14);
    e.reason = SqliteFile::columnText(stmt, 15);
    e.detail = SqliteFile::columnText(stmt, 16);
    return e;
}

// A database opened for reading, or null for a journal not written yet.
DbHandle openForReading(const QString &file, QString *error, bool *ok)
{
    *ok = true;
    if (!QFileInfo::exists(file))
        return nullptr;
    DbHandle db = SqliteFile::open(file, false, SqliteFile::BusyTimeoutMs, error);
    if (!db) {
        *ok = false;
        return nullptr;
    }
    StmtHandle exists = SqliteFile::prepare(db.get(), TableExistsSql, error);
    if (!exists) {
        *ok = false;
        return nullptr;
    }
    return sqlite3_step(exists.get()) == SQLITE_ROW ? std::move(db) : nullptr;
}

bool step(sqlite3 *db, sqlite3_stmt *stmt, int wanted, QString *error)
{
    if (sqlite3_step(stmt) == wanted)
        return true;
    if (error)
        *error = QString::fromUtf8(sqlite3_errmsg(db));
    return false;
}

// The stored fields in column order, as the chain hashes them and the file holds them.
QList<JournalChain::Field> entryFields(const JournalEntry &e, const QString &time)
{
    const auto text = [](const QString &value) {
        return value.isNull() ? JournalChain::Field() : JournalChain::Field(value.toUtf8());
    };
    return {text(time), text(e.station.isNull() ? u""_s : e.station), text(e.staff.isNull() ? u""_s : e.staff),
            text(e.kind), text(e.product),
            e.kilograms ? JournalChain::Field(QByteArray::number(*e.kilograms, 'g', 17)) : JournalChain::Field(),
            text(e.barcode), text(e.barkod), text(e.productionDate), text(e.useByDate), text(e.printer),
            text(e.customer), e.rows ? JournalChain::Field(QByteArray::number(*e.rows)) : JournalChain::Field(),
            text(e.salePurchase), text(e.reason), text(e.detail)};
}

QList<JournalChain::Field> storedFields(sqlite3_stmt *stmt)
{
    QList<JournalChain::Field> fields;
    for (int column = FirstField; column <= LastField; ++column) {
        if (sqlite3_column_type(stmt, column) == SQLITE_NULL)
            fields.append(std::nullopt);
        else if (column == KilogramsColumn)
            fields.append(QByteArray::number(sqlite3_column_double(stmt, column), 'g', 17));
        else if (column == RowsColumn)
            fields.append(QByteArray::number(sqlite3_column_int64(stmt, column)));
        else
            fields.append(QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)),
                                     sqlite3_column_bytes(stmt, column)));
    }
    return fields;
}

std::optional<QByteArray> hashOf(sqlite3 *db, qint64 id)
{
    StmtHandle stmt = SqliteFile::prepare(db, HashOfSql);
    if (!stmt)
        return std::nullopt;
    sqlite3_bind_int64(stmt.get(), 1, id);
    if (sqlite3_step(stmt.get()) != SQLITE_ROW || sqlite3_column_type(stmt.get(), 0) == SQLITE_NULL)
        return std::nullopt;
    return QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(stmt.get(), 0)));
}

// Inside the write's transaction: the schema, the link after the file's
// last entry, and the entry itself. `keyAgrees`: the station key was read
// (`keyRead`) and its latest link `kept` is in the file as kept, or it holds none yet.
bool appendChained(sqlite3 *db, bool keyRead, const std::optional<JournalChain::Link> &kept,
                   const JournalEntry &e, const QList<JournalChain::Field> &fields,
                   std::optional<JournalChain::Link> &written, bool &keyAgrees, QString *error)
{
    if (!SqliteFile::exec(db, SchemaSql, error))
        return false;
    StmtHandle hasHash = SqliteFile::prepare(db, HasHashSql, error);
    if (!hasHash)
        return false;
    if (sqlite3_step(hasHash.get()) != SQLITE_ROW && !SqliteFile::exec(db, AddHashSql, error))
        return false;

    QByteArray previous = JournalChain::start();
    StmtHandle tail = SqliteFile::prepare(db, TailSql, error);
    if (!tail)
        return false;
    // After entries of an unchained journal the chain starts afresh.
    if (sqlite3_step(tail.get()) == SQLITE_ROW && sqlite3_column_type(tail.get(), 1) != SQLITE_NULL)
        previous = QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(tail.get(), 1)));
    StmtHandle nextId = SqliteFile::prepare(db, NextIdSql, error);
    if (!nextId || !step(db, nextId.get(), SQLITE_ROW, error))
        return false;
    const qint64 id = sqlite3_column_int64(nextId.get(), 0);

    if (keyRead)
        keyAgrees = !kept || hashOf(db, kept->id) == kept->hash;

    StmtHandle stmt = SqliteFile::prepare(db, InsertSql, error);
    if (!stmt)
        return false;
    sqlite3_stmt *s = stmt.get();
    for (int i = 0; i < fields.size(); ++i) {
        const int index = i + 1;
        if (!fields[i])
            sqlite3_bind_null(s, index);
        else if (index == KilogramsColumn)
            sqlite3_bind_double(s, index, *e.kilograms);
        else if (index == RowsColumn)
            sqlite3_bind_int(s, index, *e.rows);
        else
            sqlite3_bind_text(s, index, fields[i]->constData(), int(fields[i]->size()), SQLITE_TRANSIENT);
    }
    written = JournalChain::Link{id, JournalChain::link(previous, id, fields)};
    sqlite3_bind_int64(s, 17, id);
    sqlite3_bind_text(s, 18, written->hash.constData(), int(written->hash.size()), SQLITE_TRANSIENT);
    return step(db, s, SQLITE_DONE, error);
}

void bindDate(sqlite3_stmt *stmt, int index, const QDate &day)
{
    SqliteFile::bindText(stmt, index, day.isValid() ? day.toString(Qt::ISODate) : QString());
}

} // namespace

QString path(const QString &stationFolder)
{
    return QDir(stationFolder).filePath(u"Journal.db"_s);
}

bool append(const QString &file, const JournalEntry &e, QString *error)
{
    // The key first: a key held by another program must not keep the journal locked meanwhile.
    std::optional<JournalChain::Link> kept;
    QString problem;
    const bool keyRead = JournalChain::keptLink(file, kept, &problem);
    if (!keyRead)
        qCWarning(lcJournalFile) << "station key not read for the journal's link:" << problem;

    DbHandle db = SqliteFile::open(file, true, BusyMs, error);
    if (!db || !SqliteFile::exec(db.get(), SqliteFile::DurableSql, error))
        return false;
    if (!SqliteFile::exec(db.get(), "BEGIN IMMEDIATE", error))
        return false;
    const QDateTime time = e.time.isValid() ? e.time : QDateTime::currentDateTime();
    const QList<JournalChain::Field> fields = entryFields(e, time.toString(TimeFormat));
    std::optional<JournalChain::Link> written;
    bool keyAgrees = false;
    if (!appendChained(db.get(), keyRead, kept, e, fields, written, keyAgrees, error)) {
        SqliteFile::exec(db.get(), "ROLLBACK");
        return false;
    }
    if (!SqliteFile::exec(db.get(), "COMMIT", error))
        return false;
    // A key that no longer agrees with the file keeps its link: it is what
    // shows the journal was cut short or started again.
    if (keyAgrees && !JournalChain::keepLink(file, *written))
        qCWarning(lcJournalFile) << "the journal's latest link could not be kept in the station key";
    return true;
}

bool read(const QString &file, const Filter &filter, QList<JournalEntry> &entries, QString *error)
{
    entries.clear();
    bool ok = true;
    DbHandle db = openForReading(file, error, &ok);
    if (!db)
        return ok;
    StmtHandle stmt = SqliteFile::prepare(db.get(), SelectFilteredSql, error);
    if (!stmt)
        return false;
    bindDate(stmt.get(), 1, filter.from);
    bindDate(stmt.get(), 2, filter.to);
    SqliteFile::bindText(stmt.get(), 3, filter.staff.isEmpty() ? QString() : filter.staff);
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW)
        entries.append(readRow(stmt.get()));
    if (rc != SQLITE_DONE) {
        if (error)
            *error = SqliteFile::errorText(db.get());
        return false;
    }
    return true;
}

std::optional<JournalEntry> entry(const QString &file, qint64 id, QString *error)
{
    bool ok = true;
    DbHandle db = openForReading(file, error, &ok);
    if (!db)
        return std::nullopt;
    StmtHandle stmt = SqliteFile::prepare(db.get(), SelectOneSql, error);
    if (!stmt)
        return std::nullopt;
    sqlite3_bind_int64(stmt.get(), 1, id);
    if (sqlite3_step(stmt.get()) != SQLITE_ROW)
        return std::nullopt;
    return readRow(stmt.get());
}

bool verify(const QString &file, Verdict &verdict, QString *error)
{
    verdict = {};
    std::optional<JournalChain::Link> kept;
    QString problem;
    if (!JournalChain::keptLink(file, kept, &problem)) {
        if (error)
            *error = u"istasyon anahtarı okunamadı: "_s + problem;
        return false;
    }
    const auto broken = [&verdict](qint64 id, const QString &why) {
        verdict.firstBad = id;
        verdict.why = why;
        return true;
    };
    bool ok = true;
    DbHandle db = openForReading(file, error, &ok);
    if (!ok)
        return false;
    if (!db) {
        return kept ? broken(kept->id, u"Journal.db yok, oysa istasyon anahtarına göre bu kayda kadar yazılmıştı"_s)
                    : true;
    }
    StmtHandle hasHash = SqliteFile::prepare(db.get(), HasHashSql, error);
    if (!hasHash)
        return false;
    const bool chainedFile = sqlite3_step(hasHash.get()) == SQLITE_ROW;
    StmtHandle rows = SqliteFile::prepare(db.get(), chainedFile ? SelectChainSql : SelectUnchainedSql, error);
    if (!rows)
        return false;
    QByteArray previous = JournalChain::start();
    qint64 lastId = 0;
    std::optional<QByteArray> keptFound;
    int rc;
    while ((rc = sqlite3_step(rows.get())) == SQLITE_ROW) {
        const qint64 id = sqlite3_column_int64(rows.get(), 0);
        const bool linked = chainedFile && sqlite3_column_type(rows.get(), HashColumn) != SQLITE_NULL;
        if (!linked && verdict.chained == 0) {
            ++verdict.unchained; // written before the chain: nothing to check it against
            lastId = id;
            continue;
        }
        if (!linked)
            return broken(id, u"zincir halkası silinmiş"_s);
        if (verdict.chained > 0 && id != lastId + 1)
            return broken(lastId + 1, u"kayıt yok (silinmiş)"_s);
        const QByteArray hash(reinterpret_cast<const char *>(sqlite3_column_text(rows.get(), HashColumn)));
        if (JournalChain::link(previous, id, storedFields(rows.get())) != hash)
            return broken(id, u"içeriği ya da önceki kayıtlar değişmiş"_s);
        if (kept && id == kept->id)
            keptFound = hash;
        previous = hash;
        lastId = id;
        ++verdict.chained;
    }
    if (rc != SQLITE_DONE) {
        if (error)
            *error = QString::fromUtf8(sqlite3_errmsg(db.get()));
        return false;
    }
    // Entries cut off the end: the first one missing is named.
    if (kept && !keptFound && verdict.chained > 0 && kept->id > lastId)
        return broken(lastId + 1, u"kayıt yok (sondan silinmiş)"_s);
    if (kept && !keptFound)
        return broken(kept->id, u"istasyon anahtarının bildiği son kayıt yok"_s);
    if (kept && *keptFound != kept->hash)
        return broken(kept->id, u"istasyon anahtarındaki son halkayla eşleşmiyor"_s);
    return true;
}

} // namespace JournalFile
