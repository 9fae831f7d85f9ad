#include "web/PlantData.h"

#include "data/DatabaseLocation.h"
#include "data/SqlDialect.h"
#include "data/StationDatabase.h"
#include "data/TurkishText.h"
#include "reports/ReportPeriod.h"
#include "web/PagesLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Quoted names and cast parameters read the same on both engines.
constexpr char16_t CustomerTotalsSql[] =
    u"SELECT \"Cari\", count(*), sum(\"Kilo\") FROM \"Paket\" WHERE \"Cari\" IS NOT NULL "
    u"AND \"Alsat\" = CAST(? AS integer) AND \"Tarih\" >= CAST(? AS text) "
    u"AND \"Tarih\" <= CAST(? AS text) GROUP BY \"Cari\"";
// Zaman is "yyyy-MM-ddTHH:mm:ss": the day after the period bounds it from above.
constexpr char16_t StationTotalsSql[] =
    u"SELECT coalesce(\"Istasyon\", ''), count(*), sum(\"Kilo\") FROM \"Paket\" "
    u"WHERE \"Zaman\" >= CAST(? AS text) AND \"Zaman\" < CAST(? AS text) "
    u"GROUP BY coalesce(\"Istasyon\", '')";
constexpr char16_t LastPackagesSql[] =
    u"SELECT \"Sira\", \"Zaman\", \"Istasyon\", \"Personel\", \"Ürün\", \"Kilo\", \"Dara\", "
    u"\"Parti\", \"Cari\" FROM \"Paket\" ORDER BY \"Sira\" DESC LIMIT %1";
constexpr char16_t LastPackageTimesSql[] =
    u"SELECT coalesce(\"Istasyon\", ''), max(\"Zaman\") FROM \"Paket\" GROUP BY coalesce(\"Istasyon\", '')";
constexpr char16_t MarkerSql[] =
    u"SELECT (SELECT max(\"Sira\") FROM \"Paket\"), (SELECT max(%1) FROM \"StokHaraket\")";

// Where an SQLite file's header keeps its change counter (rollback journal mode).
constexpr qint64 ChangeCounterOffset = 24;

double toGrams(double kilo)
{
    return std::round(kilo * 1000.0) / 1000.0;
}

bool run(QSqlQuery &query, const QString &sql, const QVariantList &values)
{
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        qCWarning(lcPages) << "cannot prepare" << sql << query.lastError().text();
        return false;
    }
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        qCWarning(lcPages) << "query failed:" << query.lastError().text();
        return false;
    }
    return true;
}

} // namespace

PlantData::PlantData(const QString &stationFolder, const QString &centralUrl)
{
    if (!centralUrl.isEmpty()) {
        const auto location = DatabaseLocation::parse(centralUrl, &m_error);
        if (!location)
            return;
        m_db = std::make_unique<StationDatabase>(*location);
    } else {
        const QString path = QDir(stationFolder).filePath(Schema::fileName(Schema::File::Stok));
        if (!QFileInfo::exists(path)) {
            m_empty = true; // nothing weighed or booked yet
            return;
        }
        m_db = std::make_unique<StationDatabase>(path, Schema::File::Stok);
    }
    if (!m_db->isOpen()) {
        m_error = m_db->openError();
        qCWarning(lcPages) << "plant data not open:" << m_error;
    }
}

PlantData::~PlantData() = default;

bool PlantData::isOpen() const
{
    return m_empty || (m_db && m_db->isOpen());
}

std::optional<QList<ProductTotal>> PlantData::productTotals(int alsatMode, const ReportPeriod &period) const
{
    if (m_empty)
        return QList<ProductTotal>();
    if (!isOpen())
        return std::nullopt;
    return ShipmentTotals::sum(m_db->database(), alsatMode, period);
}

std::optional<QList<GroupTotal>> PlantData::groupTotals(const QString &sql, const QVariantList &values) const
{
    if (m_empty)
        return QList<GroupTotal>();
    if (!isOpen())
        return std::nullopt;
    QSqlQuery query(m_db->database());
    if (!run(query, sql, values))
        return std::nullopt;
    QList<GroupTotal> groups;
    while (query.next())
        groups.append(
            {query.value(0).toString(), query.value(1).toInt(), toGrams(query.value(2).toDouble())});
    QList<QString> names;
    for (const GroupTotal &group : groups)
        names << group.name;
    QList<GroupTotal> ordered;
    for (int position : TurkishText::alphabeticalOrder(names))
        ordered.append(groups[position]);
    return ordered;
}

std::optional<QList<GroupTotal>> PlantData::customerTotals(int alsatMode, const ReportPeriod &period) const
{
    return groupTotals(QString::fromUtf16(CustomerTotalsSql),
                       {alsatMode, period.firstText(), period.lastText()});
}

std::optional<QList<GroupTotal>> PlantData::stationTotals(const ReportPeriod &period) const
{
    return groupTotals(QString::fromUtf16(StationTotalsSql),
                       {period.firstText(), period.last().addDays(1).toString(Qt::ISODate)});
}

std::optional<QList<PackageRow>> PlantData::lastPackages(int count) const
{
    if (m_empty)
        return QList<PackageRow>();
    if (!isOpen())
        return std::nullopt;
    QSqlQuery query(m_db->database());
    if (!run(query, QString::fromUtf16(LastPackagesSql).arg(count), {}))
        return std::nullopt;
    QList<PackageRow> rows;
    while (query.next()) {
        rows.append({query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString(),
                     query.value(3).toString(), query.value(4).toString(), query.value(5).toDouble(),
                     query.value(6).toDouble(), query.value(7).toString(), query.value(8).toString()});
    }
    return rows;
}

std::optional<QList<QPair<QString, QString>>> PlantData::lastPackageTimes() const
{
    if (m_empty)
        return QList<QPair<QString, QString>>();
    if (!isOpen())
        return std::nullopt;
    QSqlQuery query(m_db->database());
    if (!run(query, QString::fromUtf16(LastPackageTimesSql), {}))
        return std::nullopt;
    QList<QPair<QString, QString>> times;
    while (query.next())
        times.append({query.value(0).toString(), query.value(1).toString()});
    return times;
}

QString PlantData::changeMarker() const
{
    if (m_empty)
        return u"-"_s;
    if (!isOpen())
        return {};
    const QSqlDatabase db = m_db->database();
    QSqlQuery query(db);
    if (!run(query, QString::fromUtf16(MarkerSql).arg(SqlDialect::of(db).rowKey()), {}) || !query.next())
        return {};
    const QString rows = query.value(0).toString() + u'.' + query.value(1).toString();
    if (m_db->central())
        return rows;
    // A station file's header counts its commits: a package booked in
    // place (an update) moves the marker too.
    QFile file(m_db->path());
    if (!file.open(QIODevice::ReadOnly) || !file.seek(ChangeCounterOffset))
        return {};
    const QByteArray counter = file.read(4);
    return counter.size() == 4 ? rows + u'.' + QString::fromLatin1(counter.toHex()) : QString();
}
