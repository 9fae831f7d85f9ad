#include "data/StationData.h"

#include "data/DatabaseLocation.h"
#include "data/SqlDialect.h"
#include "data/StationDatabase.h"

#include <QDir>
#include <QLoggingCategory>
#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

Q_DECLARE_LOGGING_CATEGORY(lcDatabase)

namespace {
constexpr char16_t DeleteOrderRowsSql[] = u"DELETE FROM Tart";
constexpr char16_t DeleteScratchSumsSql[] = u"DELETE FROM StokTmp";
} // namespace

StationData::StationData(QObject *parent)
    : QObject(parent)
{
    for (int i = 0; i < 6; ++i)
        m_data[i] = new DataControl(u"Data"_s + QString::number(i + 1), this);
}

StationData::~StationData() = default;

void StationData::bind(const QString &folder, const QString &server)
{
    const QDir dir(folder);
    m_cari = std::make_shared<StationDatabase>(dir.filePath(Schema::fileName(Schema::File::Cari)),
                                               Schema::File::Cari);
    m_stok = std::make_shared<StationDatabase>(dir.filePath(Schema::fileName(Schema::File::Stok)),
                                               Schema::File::Stok);
    m_tavran = std::make_shared<StationDatabase>(
        dir.filePath(Schema::fileName(Schema::File::Tavran)), Schema::File::Tavran);

    m_server.reset();
    QString error;
    const auto location = DatabaseLocation::parse(server, &error);
    if (!location)
        qCWarning(lcDatabase) << error;
    else if (location->central)
        m_server = std::make_shared<StationDatabase>(*location);
    data2().bind(m_tavran, RecordSources::orderRowsTavran());
    data3().bind(m_tavran, RecordSources::orderRows());
    data6().bind(m_stok, RecordSources::scratchSums());
    bindSharedTables();
}

void StationData::bindSharedTables()
{
    const auto cari = m_server ? m_server : m_cari;
    const auto stok = m_server ? m_server : m_stok;
    const SqlDialect &dialect = SqlDialect::of(stok->database());
    data1().bind(cari, RecordSources::customersOfGroup(RecordSources::CustomerGroup, dialect));
    data4().bind(stok, RecordSources::products(dialect));
    data5().bind(stok, RecordSources::movementsOf(0, dialect));
}

QString StationData::sharedTablesError() const
{
    return m_server ? m_server->openError() : QString();
}

bool StationData::retryServer()
{
    if (!m_server || m_server->isOpen())
        return sharedTablesError().isEmpty();
    if (!m_server->reconnect())
        return false;
    bindSharedTables();
    return true;
}

bool StationData::deleteAllRows(DataControl &control)
{
    const QString table = control.recordSource().table;
    const char16_t *sql = table == u"Tart"_s      ? DeleteOrderRowsSql
                          : table == u"StokTmp"_s ? DeleteScratchSumsSql
                                                  : nullptr;
    bool ok = false;
    if (sql && control.database() && control.database()->isOpen()) {
        QSqlQuery query(control.database()->database());
        ok = query.exec(QString::fromUtf16(sql));
        if (!ok)
            qCWarning(lcDatabase) << "cannot empty" << table << query.lastError().text();
    }
    RefreshDataControl(control);
    return ok;
}
