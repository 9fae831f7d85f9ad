#include "data/Recordset.h"

#include "data/Criteria.h"
#include "data/SqlDialect.h"
#include "data/StationDatabase.h"
#include "data/TurkishText.h"

#include <QLoggingCategory>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

Q_DECLARE_LOGGING_CATEGORY(lcDatabase)

namespace {

QString quotedIdentifier(const QString &name)
{
    QString escaped = name;
    escaped.replace(u"\""_s, u"\"\""_s);
    return u'"' + escaped + u'"';
}

QVariant parseDefault(const QVariant &text)
{
    if (text.isNull())
        return {};
    const QString value = text.toString();
    if (value.startsWith(u'\'') && value.endsWith(u'\'') && value.size() >= 2)
        return value.mid(1, value.size() - 2).replace(u"''"_s, u"'"_s);
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok ? QVariant(number) : QVariant(value);
}

} // namespace

Recordset::Recordset(const QSqlDatabase &db, RecordSource source, QObject *parent)
    : QObject(parent)
    , m_db(db)
    , m_source(std::move(source))
{
}

bool Recordset::fail(const QString &what, const QString &error)
{
    m_lastError = what + u": "_s + error;
    qCWarning(lcDatabase).noquote() << m_source.table << m_lastError;
    return false;
}

bool Recordset::fail(const QString &what, const QSqlError &error)
{
    // A file another program held too long is named as busy, in Turkish.
    return fail(what, isBusy(error) ? errorText(error, m_db) : error.text());
}

bool Recordset::requery()
{
    m_rows.clear();
    m_foldedColumns.clear();
    m_leadingChars.clear();
    m_position = -1;
    m_currentDeleted = false;
    m_noMatch = false;
    m_editMode = EditMode::None;
    m_open = false;
    m_loaded = true;

    if (!m_db.isOpen()) {
        emit rowsReset();
        emit currentChanged();
        return fail(u"open"_s, u"database is not open"_s);
    }
    // The statement is checked now; its rows are read when first needed, so
    // a record source nobody reads (the stock movements at start-up) costs
    // nothing however long its table has grown.
    QSqlQuery check(m_db);
    if (!check.prepare(m_source.sql)) {
        emit rowsReset();
        emit currentChanged();
        return fail(u"query"_s, check.lastError());
    }
    m_open = true;
    m_loaded = false;
    emit rowsReset();
    emit currentChanged();
    return true;
}

void Recordset::ensureLoaded() const
{
    // Reading the rows changes no observable state: they are what a load at
    // requery time would have given.
    if (!m_loaded)
        const_cast<Recordset *>(this)->load();
}

void Recordset::load()
{
    m_loaded = true;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    bool ok = query.prepare(m_source.sql);
    for (const QVariant &value : std::as_const(m_source.bindings))
        query.addBindValue(value);
    ok = ok && query.exec();
    if (!ok) {
        m_open = false;
        fail(u"query"_s, query.lastError());
        return;
    }
    const QSqlRecord record = query.record();
    m_fields.clear();
    for (int i = 1; i < record.count(); ++i)
        m_fields << record.fieldName(i);
    const int columns = record.count();
    while (query.next()) {
        Row row;
        row.rowid = query.value(0).toLongLong();
        row.values.reserve(columns - 1);
        for (int i = 1; i < columns; ++i)
            row.values << query.value(i);
        m_rows.push_back(std::move(row));
    }
    sortAlphabetically();
    loadDefaults();
    m_position = m_rows.empty() ? -1 : 0;
}

void Recordset::sortAlphabetically()
{
    if (m_source.alphabeticalBy.isEmpty())
        return;
    const int field = fieldIndex(m_source.alphabeticalBy);
    if (field < 0)
        return;
    QList<QString> texts;
    texts.reserve(qsizetype(m_rows.size()));
    for (const Row &row : m_rows)
        texts << row.values.value(field).toString();
    std::vector<Row> sorted;
    sorted.reserve(m_rows.size());
    for (int position : TurkishText::alphabeticalOrder(texts))
        sorted.push_back(std::move(m_rows[position]));
    m_rows = std::move(sorted);
}

void Recordset::loadDefaults()
{
    m_defaults = QVariantList(m_fields.size());
    QSqlQuery query(m_db);
    if (!query.prepare(SqlDialect::of(m_db).tableDefaultsSql()))
        return;
    query.addBindValue(m_source.table);
    if (!query.exec()) {
        fail(u"defaults"_s, query.lastError());
        return;
    }
    while (query.next()) {
        const int field = fieldIndex(query.value(0).toString());
        if (field >= 0)
            m_defaults[field] = parseDefault(query.value(1));
    }
}

bool Recordset::isBOF() const
{
    ensureLoaded();
    return m_rows.empty() || m_position < 0;
}

bool Recordset::isEOF() const
{
    ensureLoaded();
    return m_rows.empty() || m_position >= int(m_rows.size());
}

bool Recordset::hasCurrent() const
{
    ensureLoaded();
    return !m_currentDeleted && m_position >= 0 && m_position < int(m_rows.size());
}

int Recordset::absolutePosition() const
{
    ensureLoaded();
    return hasCurrent() ? m_position : -1;
}

void Recordset::setPosition(int position)
{
    m_position = position;
    m_currentDeleted = false;
    m_editMode = EditMode::None;
    emit currentChanged();
}

bool Recordset::moveFirst()
{
    ensureLoaded();
    if (m_rows.empty())
        return false;
    setPosition(0);
    return true;
}

bool Recordset::moveLast()
{
    ensureLoaded();
    if (m_rows.empty())
        return false;
    setPosition(int(m_rows.size()) - 1);
    return true;
}

bool Recordset::moveNext()
{
    ensureLoaded();
    if (isEOF() && !m_currentDeleted)
        return false;
    // After a delete the following record already sits at the position.
    setPosition(m_currentDeleted ? m_position : m_position + 1);
    return true;
}

bool Recordset::movePrevious()
{
    ensureLoaded();
    if (isBOF())
        return false;
    setPosition(m_position - 1);
    return true;
}

bool Recordset::moveTo(int position)
{
    ensureLoaded();
    if (position < 0 || position >= int(m_rows.size()))
        return false;
    setPosition(position);
    return true;
}

const std::vector<QString> &Recordset::foldedColumn(int field) const
{
    auto it = m_foldedColumns.find(field);
    if (it == m_foldedColumns.end()) {
        std::vector<QString> folded;
        folded.reserve(m_rows.size());
        for (const Row &row : m_rows)
            folded.push_back(TurkishText::fold(row.values.value(field).toString()));
        it = m_foldedColumns.insert(field, std::move(folded));
    }
    return *it;
}

const QHash<QChar, std::vector<int>> &Recordset::leadingCharIndex(int field) const
{
    auto it = m_leadingChars.find(field);
    if (it == m_leadingChars.end()) {
        QHash<QChar, std::vector<int>> index;
        const std::vector<QString> &folded = foldedColumn(field);
        for (int position = 0; position < int(folded.size()); ++position) {
            if (!folded[position].isEmpty())
                index[folded[position].front()].push_back(position);
        }
        it = m_leadingChars.insert(field, std::move(index));
    }
    return *it;
}

bool Recordset::findFirst(const QString &criteriaText)
{
    ensureLoaded();
    m_noMatch = true;
    const std::optional<Criteria> criteria = Criteria::parse(criteriaText);
    if (!criteria)
        return fail(u"find"_s, u"not a criteria: "_s + criteriaText);
    QList<int> fields;
    for (const QString &name : criteria->fields()) {
        const int field = fieldIndex(name);
        if (field < 0)
            return fail(u"find"_s, u"unknown field "_s + name);
        fields << field;
    }
    QList<const std::vector<QString> *> folded;
    for (int field : std::as_const(fields))
        folded << &foldedColumn(field);

    const auto matchesAt = [&](int position) {
        for (qsizetype term = 0; term < fields.size(); ++term) {
            if (!criteria->termMatches(term, m_rows[position].values.value(fields[term]),
                                       (*folded[term])[position]))
                return false;
        }
        return true;
    };
    const auto found = [&](int position) {
        m_noMatch = false;
        setPosition(position);
        return true;
    };

    // A search that fixes the first letter only looks at the records
    // starting with it; their positions are in record order, so the first
    // match is still the first of the whole set.
    for (qsizetype term = 0; term < fields.size(); ++term) {
        const QChar leading = criteria->leadingChar(term);
        if (leading.isNull())
            continue;
        const auto &index = leadingCharIndex(fields[term]);
        const auto bucket = index.constFind(leading);
        if (bucket == index.cend())
            return false;
        for (int position : *bucket) {
            if (matchesAt(position))
                return found(position);
        }
        return false;
    }
    for (int position = 0; position < int(m_rows.size()); ++position) {
        if (matchesAt(position))
            return found(position);
    }
    return false;
}

int Recordset::fieldIndex(const QString &name) const
{
    ensureLoaded();
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    for (int i = 0; i < m_fields.size(); ++i) {
        if (TurkishText::fold(m_fields[i]) == TurkishText::fold(name))
            return i;
    }
    return -1;
}

QVariant Recordset::value(int field) const
{
    ensureLoaded();
    if (m_editMode != EditMode::None)
        return m_buffer.value(field);
    if (!hasCurrent())
        return {};
    return m_rows[m_position].values.value(field);
}

QVariant Recordset::value(const QString &field) const
{
    return value(fieldIndex(field));
}

QVariant Recordset::valueAt(int position, int field) const
{
    ensureLoaded();
    if (position < 0 || position >= int(m_rows.size()))
        return {};
    return m_rows[position].values.value(field);
}

QStringList Recordset::columnTexts(int field, int firstPosition) const
{
    ensureLoaded();
    QStringList texts;
    const int first = std::max(0, firstPosition);
    texts.reserve(std::max(0, int(m_rows.size()) - first));
    for (int position = first; position < int(m_rows.size()); ++position)
        texts << m_rows[position].values.value(field).toString();
    return texts;
}

bool Recordset::addNew()
{
    ensureLoaded();
    if (!m_open)
        return fail(u"add"_s, u"recordset is not open"_s);
    m_editMode = EditMode::Add;
    m_buffer = m_defaults;
    m_touched.assign(m_fields.size(), false);
    return true;
}

bool Recordset::edit()
{
    ensureLoaded();
    if (!hasCurrent())
        return fail(u"edit"_s, u"no current record"_s);
    m_editMode = EditMode::Edit;
    m_buffer = m_rows[m_position].values;
    m_touched.assign(m_fields.size(), false);
    return true;
}

bool Recordset::setValue(int field, const QVariant &value)
{
    ensureLoaded();
    if (m_editMode == EditMode::None)
        return fail(u"set"_s, u"not adding or editing"_s);
    if (field < 0 || field >= m_fields.size())
        return fail(u"set"_s, u"no field "_s + QString::number(field));
    m_buffer[field] = value;
    m_touched[field] = true;
    return true;
}

bool Recordset::setValue(const QString &field, const QVariant &value)
{
    const int index = fieldIndex(field);
    if (index < 0)
        return fail(u"set"_s, u"unknown field "_s + field);
    return setValue(index, value);
}

bool Recordset::readRow(qint64 rowid, Row &row)
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    const QString sql = u"SELECT rowid, * FROM "_s + quotedIdentifier(m_source.table)
                        + u" WHERE rowid = ?"_s;
    if (!query.prepare(sql))
        return fail(u"read"_s, query.lastError());
    query.addBindValue(rowid);
    if (!query.exec() || !query.next())
        return fail(u"read"_s, query.lastError());
    row.rowid = rowid;
    row.values.clear();
    for (int i = 1; i < query.record().count(); ++i)
        row.values << query.value(i);
    return true;
}

bool Recordset::update()
{
    ensureLoaded();
    if (m_editMode == EditMode::None)
        return fail(u"update"_s, u"not adding or editing"_s);

    QStringList columns;
    QVariantList values;
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_touched[i]) {
            columns << quotedIdentifier(m_fields[i]);
            values << m_buffer[i];
        }
    }
    const QString table = quotedIdentifier(m_source.table);
    QSqlQuery query(m_db);
    if (m_editMode == EditMode::Add) {
        QString sql;
        if (columns.isEmpty()) {
            sql = u"INSERT INTO "_s + table + u" DEFAULT VALUES"_s;
        } else {
            QStringList marks(columns.size(), u"?"_s);
            sql = u"INSERT INTO "_s + table + u" ("_s + columns.join(u", "_s) + u") VALUES ("_s
                  + marks.join(u", "_s) + u')';
        }
        if (!query.prepare(sql))
            return fail(u"insert"_s, query.lastError());
        for (const QVariant &value : std::as_const(values))
            query.addBindValue(value);
        if (!query.exec())
            return fail(u"insert"_s, query.lastError());
        Row row;
        if (!readRow(query.lastInsertId().toLongLong(), row))
            return false;
        m_editMode = EditMode::None;
        m_rows.push_back(std::move(row));
        m_foldedColumns.clear();
    m_leadingChars.clear();
        if (m_position >= int(m_rows.size()) - 1 && !m_currentDeleted)
            m_position = int(m_rows.size()); // stays past the end
        emit rowInserted(int(m_rows.size()) - 1);
        return true;
    }

    if (!hasCurrent())
        return fail(u"update"_s, u"no current record"_s);
    Row &current = m_rows[m_position];
    if (!columns.isEmpty()) {
        QStringList assignments;
        for (const QString &column : std::as_const(columns))
            assignments << column + u" = ?"_s;
        const QString sql = u"UPDATE "_s + table + u" SET "_s + assignments.join(u", "_s)
                            + u" WHERE rowid = ?"_s;
        if (!query.prepare(sql))
            return fail(u"update"_s, query.lastError());
        for (const QVariant &value : std::as_const(values))
            query.addBindValue(value);
        query.addBindValue(current.rowid);
        if (!query.exec())
            return fail(u"update"_s, query.lastError());
        if (!readRow(current.rowid, current))
            return false;
    }
    m_editMode = EditMode::None;
    m_foldedColumns.clear();
    m_leadingChars.clear();
    emit rowChanged(m_position);
    return true;
}

void Recordset::cancelUpdate()
{
    m_editMode = EditMode::None;
}

bool Recordset::remove()
{
    ensureLoaded();
    if (!hasCurrent())
        return fail(u"delete"_s, u"no current record"_s);
    QSqlQuery query(m_db);
    const QString sql = u"DELETE FROM "_s + quotedIdentifier(m_source.table) + u" WHERE rowid = ?"_s;
    if (!query.prepare(sql))
        return fail(u"delete"_s, query.lastError());
    query.addBindValue(m_rows[m_position].rowid);
    if (!query.exec())
        return fail(u"delete"_s, query.lastError());
    const int removed = m_position;
    m_rows.erase(m_rows.begin() + removed);
    m_foldedColumns.clear();
    m_leadingChars.clear();
    m_currentDeleted = true;
    m_editMode = EditMode::None;
    emit rowRemoved(removed);
    emit currentChanged();
    return true;
}
