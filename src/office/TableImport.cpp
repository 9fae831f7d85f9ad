#include "office/TableImport.h"

#include "data/SqlDialect.h"
#include "data/StationDatabase.h"
#include "data/TurkishText.h"
#include "station/Windows1254.h"

#include <QHash>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace TableImport {
namespace {

// Column and table names come from the table itself, never from the file;
// every value is bound.
constexpr char16_t ExistingKeysSql[] = u"SELECT %3, \"%1\" FROM \"%2\"";
constexpr char16_t InsertSql[] = u"INSERT INTO \"%1\"(%2) VALUES (%3)";
constexpr char16_t UpdateSql[] = u"UPDATE \"%1\" SET %2 WHERE %3 = ?";

// Labels carry an EAN-13 made of a 7-digit barcode and the weight.
const QRegularExpression SevenDigits(u"^[0-9]{7}$"_s);

using Problem = CsvReader::Problem;

// Keys match the way the station's searches do: blanks around them and
// Turkish case do not count.
QString keyOf(const QString &text)
{
    return TurkishText::fold(text.trimmed());
}

QString quoted(const QString &column)
{
    return u'"' + column + u'"';
}

std::optional<QString> decode(const QByteArray &bytes, Encoding encoding)
{
    if (encoding == Encoding::Windows1254)
        return Windows1254::decodeStrict(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

struct Row
{
    int line = 0;
    QStringList values; // in header order
};

// The file's columns as the table names them, or the header's problems.
QStringList readHeader(const CsvReader::Record &header, const QStringList &tableColumns,
                       const OfficeTable &table, Encoding encoding, QList<Problem> &errors)
{
    QStringList columns;
    for (const QByteArray &field : header.fields) {
        const auto name = decode(field, encoding);
        if (!name) {
            errors.append({header.line, u"başlıkta okunamayan bayt"_s});
            return {};
        }
        const QString wanted = TurkishText::fold(name->trimmed());
        QString column;
        for (const QString &c : tableColumns) {
            if (TurkishText::fold(c) == wanted)
                column = c;
        }
        if (column.isEmpty())
            errors.append({header.line, u"bilinmeyen sütun \"%1\" (%2 tablosunda yok)"_s.arg(*name, table.table)});
        else if (columns.contains(column))
            errors.append({header.line, u"sütun iki kez: %1"_s.arg(column)});
        columns << column;
    }
    // The accounts' title is both their key and their name: one error for it.
    const QStringList required = table.key == table.name ? QStringList{table.key}
                                                         : QStringList{table.key, table.name};
    for (const QString &needed : required) {
        if (!columns.contains(needed))
            errors.append({header.line, u"%1 sütunu yok"_s.arg(needed)});
    }
    return columns;
}

QHash<QString, QList<qint64>> existingKeys(const QSqlDatabase &db, const OfficeTable &table,
                                           QString *failure)
{
    QHash<QString, QList<qint64>> keys;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QString::fromUtf16(ExistingKeysSql).arg(table.key, table.table, SqlDialect::of(db).rowKey()))) {
        *failure = errorText(query.lastError(), db);
        return keys;
    }
    while (query.next())
        keys[keyOf(query.value(1).toString())].append(query.value(0).toLongLong());
    return keys;
}

bool write(const QSqlDatabase &db, const OfficeTable &table, const QStringList &columns,
           const QList<Row> &rows, const QHash<QString, QList<qint64>> &existing, int keyColumn,
           QString *failure)
{
    QStringList names, marks, assignments;
    for (const QString &c : columns) {
        names << quoted(c);
        marks << u"?"_s;
        assignments << quoted(c) + u" = ?"_s;
    }
    QSqlDatabase connection = db;
    if (!connection.transaction()) {
        *failure = errorText(connection.lastError(), db);
        return false;
    }
    QSqlQuery insert(connection);
    QSqlQuery update(connection);
    bool ok = insert.prepare(QString::fromUtf16(InsertSql)
                                 .arg(table.table, names.join(u','), marks.join(u',')))
              && update.prepare(QString::fromUtf16(UpdateSql).arg(table.table, assignments.join(u','), SqlDialect::of(db).rowKey()));
    for (qsizetype r = 0; ok && r < rows.size(); ++r) {
        const Row &row = rows[r];
        const auto found = existing.constFind(keyOf(row.values[keyColumn]));
        if (found == existing.constEnd()) {
            for (qsizetype i = 0; i < row.values.size(); ++i)
                insert.bindValue(int(i), row.values[i]);
            ok = insert.exec();
            continue;
        }
        for (qint64 rowid : *found) {
            for (qsizetype i = 0; i < row.values.size(); ++i)
                update.bindValue(int(i), row.values[i]);
            update.bindValue(int(row.values.size()), rowid);
            ok = ok && update.exec();
        }
    }
    if (ok && connection.commit())
        return true;
    *failure = errorText(insert.lastError().isValid()   ? insert.lastError()
                         : update.lastError().isValid() ? update.lastError()
                                                        : connection.lastError(),
                         db);
    connection.rollback();
    return false;
}

} // namespace

Result run(const QSqlDatabase &db, const OfficeTable &table, QByteArrayView file,
           Encoding encoding, bool dryRun)
{
    Result result;
    if (encoding == Encoding::Utf8 && file.startsWith("\xEF\xBB\xBF"))
        file = file.sliced(3);
    const CsvReader::Content content = CsvReader::read(file);
    result.errors = content.problems;
    if (content.records.isEmpty()) {
        result.errors.append({1, u"başlık satırı yok"_s});
        return result;
    }

    const QStringList columns = readHeader(content.records.first(), table.columns(db), table,
                                           encoding, result.errors);
    const int keyColumn = int(columns.indexOf(table.key));
    const int nameColumn = int(columns.indexOf(table.name));

    QList<Row> rows;
    rows.reserve(content.records.size() - 1);
    QHash<QString, int> lineOfKey;
    for (qsizetype r = 1; r < content.records.size(); ++r) {
        const CsvReader::Record &record = content.records[r];
        if (record.fields.size() != columns.size()) {
            result.errors.append({record.line, u"%1 alan var, başlıkta %2 sütun"_s
                                                   .arg(record.fields.size())
                                                   .arg(columns.size())});
            continue;
        }
        // A NUL cuts the text short in other programs and on the label.
        if (std::any_of(record.fields.cbegin(), record.fields.cend(),
                        [](const QByteArray &field) { return field.contains('\0'); })) {
            result.errors.append({record.line, u"alanda NUL baytı var"_s});
            continue;
        }
        Row row{record.line, {}};
        bool decoded = true;
        for (const QByteArray &field : record.fields) {
            const auto text = decode(field, encoding);
            decoded = decoded && text.has_value();
            row.values << text.value_or(QString());
        }
        if (!decoded) {
            result.errors.append({record.line, encoding == Encoding::Windows1254
                                                   ? u"Windows-1254 ile okunamayan bayt"_s
                                                   : u"UTF-8 olmayan bayt"_s});
            continue;
        }
        if (keyColumn < 0 || nameColumn < 0)
            continue; // the header already failed
        const QString key = row.values[keyColumn].trimmed();
        if (key.isEmpty()) {
            result.errors.append({record.line, u"%1 boş"_s.arg(table.key)});
            continue;
        }
        // Stored with its blanks the key would never match the station's
        // lookups nor print a readable barcode.
        if (key != row.values[keyColumn]) {
            result.warnings.append({record.line, u"%1 \"%2\" başındaki ve sonundaki boşluklar silinerek "
                                                 u"alındı"_s.arg(table.key, key)});
            row.values[keyColumn] = key;
        }
        if (row.values[nameColumn].trimmed().isEmpty()) {
            result.errors.append({record.line, u"%1 boş"_s.arg(table.name)});
            continue;
        }
        const QString folded = keyOf(key);
        if (const int seen = lineOfKey.value(folded); seen > 0) {
            // One arg() call: a "%1" inside the key stays text.
            result.errors.append({record.line, u"%1 \"%2\" %3. satırda da var"_s.arg(
                                                   table.key, key, QString::number(seen))});
            continue;
        }
        lineOfKey.insert(folded, record.line);
        if (table.isProducts() && !SevenDigits.match(key).hasMatch()) {
            result.warnings.append({record.line, u"barkod \"%1\" 7 haneli değil: etiketlerine "
                                                 u"EAN-13 yerine Code 128 basılır"_s.arg(key)});
        }
        rows.append(std::move(row));
    }
    std::stable_sort(result.errors.begin(), result.errors.end(),
              [](const Problem &a, const Problem &b) { return a.line < b.line; });
    if (!result.errors.isEmpty())
        return result;

    const auto existing = existingKeys(db, table, &result.failure);
    if (!result.failure.isEmpty())
        return result;
    for (const Row &row : rows)
        ++(existing.contains(keyOf(row.values[keyColumn])) ? result.updated : result.added);
    if (dryRun)
        return result;
    result.written = write(db, table, columns, rows, existing, keyColumn, &result.failure);
    if (!result.written)
        result.added = result.updated = 0;
    return result;
}

} // namespace TableImport
