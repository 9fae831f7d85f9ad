#include "data/StationData.h"

#include "data/CentralDatabase.h"
#include "data/CentralLink.h"
#include "data/DatabaseLocation.h"
#include "data/ServerListCache.h"
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

    m_link.reset();
    m_sharedCari.reset();
    m_sharedStok.reset();
    m_sharedError.clear();
    m_refreshing = false;
    m_folder = folder;
    QString error;
    const auto location = DatabaseLocation::parse(server, &error);
    if (!location) {
        qCWarning(lcDatabase) << error;
    } else if (location->central) {
        m_link = std::make_unique<CentralLink>(*location);
        m_sharedCari = std::make_shared<StationDatabase>(ServerListCache::cariPath(folder),
                                                         Schema::File::Cari);
        m_sharedStok = std::make_shared<StationDatabase>(ServerListCache::stokPath(folder),
                                                         Schema::File::Stok);
    }
    data2().bind(m_tavran, RecordSources::orderRowsTavran());
    data3().bind(m_tavran, RecordSources::orderRows());
    data6().bind(m_stok, RecordSources::scratchSums());
    bindSharedTables();
    refreshSharedTables();
}

void StationData::bindSharedTables()
{
    // The movements themselves stay on the server: the kept file's table is
    // empty, and the report sums are read there.
    const auto cari = m_link ? m_sharedCari : m_cari;
    const auto stok = m_link ? m_sharedStok : m_stok;
    const SqlDialect &dialect = SqlDialect::of(stok->database());
    data1().bind(cari, RecordSources::customersOfGroup(RecordSources::CustomerGroup, dialect));
    data4().bind(stok, RecordSources::products(dialect));
    data5().bind(stok, RecordSources::movementsOf(0, dialect));
}

void StationData::refreshSharedTables()
{
    if (!m_link || m_refreshing)
        return;
    m_refreshing = true;
    const QString folder = m_folder;
    m_link->run<ServerListCache::Refresh>(
        [folder](CentralDatabase &central) { return ServerListCache::refresh(central, folder); },
        this, [this](const ServerListCache::Refresh &refresh) {
            m_refreshing = false;
            m_sharedError = refresh.failure;
            if (!refresh.failure.isEmpty())
                qCWarning(lcDatabase) << "server lists not refreshed:" << refresh.failure;
            emit sharedTablesRefreshed(refresh.failure, refresh.changed);
        });
}

std::optional<ProductExtra> StationData::productExtra(const QString &product) const
{
    const auto stok = m_link ? m_sharedStok : m_stok;
    if (!stok || !stok->isOpen())
        return std::nullopt;
    return ProductExtras(stok->database()).read(product);
}

bool StationData::rememberLot(const QString &product, const QString &lot, const QString &animal)
{
    const auto stok = m_link ? m_sharedStok : m_stok;
    const bool kept = stok && stok->isOpen() && ProductExtras(stok->database()).writeLot(product, lot, animal);
    if (m_link) {
        // The kept copy shows it at once; should the server refuse it, the
        // next refresh of the lists brings back the server's lot.
        m_link->run<QString>(
            [product, lot, animal](CentralDatabase &central) {
                if (!central.ensureOpen())
                    return central.lastError();
                ProductExtras server(central.database());
                return server.writeLot(product, lot, animal) ? QString() : server.lastError();
            },
            this, [product](const QString &failure) {
                if (!failure.isEmpty())
                    qCWarning(lcDatabase) << "lot of" << product << "not stored on the server:" << failure;
            });
    }
    return kept;
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
