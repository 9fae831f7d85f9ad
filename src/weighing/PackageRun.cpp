#include "weighing/PackageRun.h"

#include "data/CentralLink.h"
#include "data/PackageRecords.h"
#include "data/PackageUpload.h"
#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "labels/LotText.h"
#include "weighing/WeighingLog.h"

#include <QDateTime>
#include <QUuid>

using namespace Qt::StringLiterals;

PackageRun::PackageRun(StationData &data, QObject *parent)
    : QObject(parent)
    , m_data(data)
{
    // The window asks the server again while it is away: once it answers,
    // what was weighed meanwhile goes too.
    connect(&data, &StationData::sharedTablesRefreshed, this, [this](const QString &error) {
        if (error.isEmpty())
            sendQueued();
    });
}

void PackageRun::start()
{
    m_keys.clear();
}

bool PackageRun::add(PackageRecord &record)
{
    record.key = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QDateTime now = QDateTime::currentDateTime();
    record.time = now.toString(u"yyyy-MM-dd'T'HH:mm:ss"_s);
    // The product's lot, animal and tare as the screen read them: the kept
    // copy of the server's lists on a station with a server.
    if (const auto extra = m_data.productExtra(record.product)) {
        record.lot = extra->lot;
        record.animal = extra->animal;
        record.tare = extra->tareKg;
    }
    if (record.lot.isEmpty())
        record.lot = LotText::productionDateLot(now.date());
    QString error;
    if (!m_data.stok() || !PackageRecords::add(*m_data.stok(), record, m_data.link() != nullptr, &error)) {
        qCWarning(lcWeighing) << "package not recorded:" << record.product << record.kilo << error;
        return false;
    }
    m_keys << record.key;
    sendQueued();
    return true;
}

bool PackageRun::finish(const std::function<bool()> &addRow, const QString &labelBarcode, QString *error)
{
    if (!m_data.tavran() || !m_data.stok()) {
        *error = u"Tavran.db açılamadı"_s;
        return false;
    }
    qint64 rowid = 0;
    if (!PackageRecords::addLinkedRow(*m_data.tavran(), addRow, m_keys, labelBarcode, &rowid, error))
        return false;
    // The row is on the order and its packages are linked: the booking ties
    // them whatever happens to the marks below.
    QString markError;
    if (!PackageRecords::markOrderRow(*m_data.stok(), m_keys, rowid, labelBarcode, m_data.link() != nullptr,
                                       &markError))
        qCWarning(lcWeighing) << "packages not marked with order row" << rowid << markError;
    m_keys.clear();
    sendQueued();
    return true;
}

void PackageRun::sendQueued()
{
    CentralLink *link = m_data.link();
    if (!link || !m_data.stok())
        return;
    if (m_sending) {
        m_sendAgain = true;
        return;
    }
    m_sending = true;
    const QString stokPath = m_data.stok()->path();
    link->run<PackageUpload::Result>(
        [stokPath](CentralDatabase &central) { return PackageUpload::sendQueued(central, stokPath); },
        this, [this](const PackageUpload::Result &result) {
            m_sending = false;
            if (!result.ok())
                qCWarning(lcWeighing) << "packages not sent to the server yet:" << result.failure;
            emit sent(result.sent, result.failure);
            if (std::exchange(m_sendAgain, false) && result.ok())
                sendQueued();
        });
}
