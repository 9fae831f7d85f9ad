#include "office/TableImport.h"

#include "data/ProductExtras.h"
#include "data/SqlDialect.h"
#include "data/StationDatabase.h"
#include "data/TurkishText.h"
#include "gs1/Gtin.h"
#include "station/Windows1254.h"

#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>

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

// A product's GTIN as GTIN-14 (an EAN-13 padded) and its tare in kg with a
// decimal point, or why not (Turkish). Mends `values` to the stored form.
QString checkExtras(const QStringList &columns, QStringList &values)
{
    if (const qsizetype gtin = columns.indexOf(u"GTIN"_s); gtin >= 0 && !values[gtin].trimmed().isEmpty()) {
        const auto normal = Gtin::normalized(values[gtin].trimmed());
        if (!normal)
            return u"GTIN \"%1\" 14 haneli (ya da 13 haneli EAN) ve kontrol hanesi doğru olmalı"_s.arg(values[gtin]);
        values[gtin] = *normal;
    }
    if (const qsizetype tare = columns.indexOf(u"Dara"_s); tare >= 0) {
        const QString text = values[tare].trimmed();
        // "1,250" must not read as a thousand and more kilograms.
        QLocale plain = QLocale::c();
        plain.setNumberOptions(QLocale::RejectGroupSeparator);
        bool ok = text.isEmpty();
        const double kg = ok ? 0 : plain.toDouble(text, &ok);
        if (!ok || !std::isfinite(kg) || kg < 0)
            return u"Dara \"%1\" 0 ya da daha büyük, ondalık noktalı bir kilogram sayısı olmalı (örnek 0.250)"_s.arg(values[tare]);
        values[tare] = text;
    }
    return {};
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

// The file's GTIN and tare go to the product's extras, the lot stays.
bool writeExtras(const QSqlDatabase &db, const QStringList &columns, const QList<Row> &rows,
                 int nameColumn, QString *failure)
{
    const qsizetype gtin = columns.indexOf(u"GTIN"_s);
    const qsizetype tare = columns.indexOf(u"Dara"_s);
    if (gtin < 0 && tare < 0)
        return true;
    ProductExtras extras(db);
    for (const Row &row : rows) {
        auto extra = extras.read(row.values[nameColumn]);
        if (extra && gtin >= 0)
            extra->gtin = row.values[gtin];
        if (extra && tare >= 0)
            extra->tareKg = row.values[tare].isEmpty() ? 0 : row.values[tare].toDouble();
        if (!extra || !extras.write(*extra)) {
            *failure = extras.lastError();
            return false;
        }
    }
    return true;
}

bool write(const QSqlDatabase &db, const OfficeTable &table, const QStringList &columns,
           const QList<Row> &rows, const QHash<QString, QList<qint64>> &existing, int keyColumn,
           int nameColumn, QString *failure)
{
    QStringList names, marks, assignments;
    QList<qsizetype> own; // the table's own columns among the file's
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (table.extraColumns().contains(columns[i]))
            continue;
        own << i;
        names << quoted(columns[i]);
        marks << u"?"_s;
        assignments << quoted(columns[i]) + u" = ?"_s;
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
            for (qsizetype i = 0; i < own.size(); ++i)
                insert.bindValue(int(i), row.values[own[i]]);
            ok = insert.exec();
            continue;
        }
        for (qint64 rowid : *found) {
            for (qsizetype i = 0; i < own.size(); ++i)
                update.bindValue(int(i), row.values[own[i]]);
            update.bindValue(int(own.size()), rowid);
            ok = ok && update.exec();
        }
    }
    QString extrasFailure;
    if (ok && !writeExtras(connection, columns, rows, nameColumn, &extrasFailure)) {
        *failure = extrasFailure;
        connection.rollback();
        return false;
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

    const QStringList columns = readHeader(content.records.first(),
                                           table.columns(db) + table.extraColumns(), table,
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
        if (const QString problem = checkExtras(columns, row.values); !problem.isEmpty()) {
            result.errors.append({record.line, problem});
            continue;
        }
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
    result.written = write(db, table, columns, rows, existing, keyColumn, nameColumn, &result.failure);
    if (!result.written)
        result.added = result.updated = 0;
    return result;
}

} // namespace TableImport
