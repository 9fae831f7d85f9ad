#include "data/StationData.h"

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

void StationData::bind(const QString &folder)
{
    const QDir dir(folder);
    m_cari = std::make_shared<StationDatabase>(dir.filePath(Schema::fileName(Schema::File::Cari)),
                                               Schema::File::Cari);
    m_stok = std::make_shared<StationDatabase>(dir.filePath(Schema::fileName(Schema::File::Stok)),
                                               Schema::File::Stok);
    m_tavran = std::make_shared<StationDatabase>(
        dir.filePath(Schema::fileName(Schema::File::Tavran)), Schema::File::Tavran);

    data1().bind(m_cari, RecordSources::customersOfGroup(RecordSources::CustomerGroup));
    data4().bind(m_stok, RecordSources::products());
    data2().bind(m_tavran, RecordSources::orderRowsTavran());
    data3().bind(m_tavran, RecordSources::orderRows());
    data5().bind(m_stok, RecordSources::movementsOf(0));
    data6().bind(m_stok, RecordSources::scratchSums());
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
