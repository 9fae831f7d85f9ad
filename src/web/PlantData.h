#pragma once

#include "reports/ShipmentTotals.h"

#include <QList>
#include <QPair>
#include <QString>
#include <memory>
#include <optional>

class QSqlDatabase;
class ReportPeriod;
class StationDatabase;

// Kilograms and packages of one customer or one station in a period.
struct GroupTotal
{
    QString name;
    int packages = 0;
    double kilo = 0;
};

// One package as the "last packages" table shows it.
struct PackageRow
{
    qint64 sira = 0;
    QString zaman;
    QString istasyon;
    QString personel;
    QString product;
    double kilo = 0;
    double dara = 0;
    QString parti;
    QString cari;
};

// The plant's shared tables for one request: the station folder's Stok.db, or
// the central server when its URL is given. Opened per request, so each
// thread that answers pages uses a connection of its own.
class PlantData
{
public:
    PlantData(const QString &stationFolder, const QString &centralUrl);
    ~PlantData();
    PlantData(const PlantData &) = delete;
    PlantData &operator=(const PlantData &) = delete;

    // False with error() (Turkish) when the tables cannot be reached. A
    // station folder without Stok.db is open and empty.
    bool isOpen() const;
    QString error() const { return m_error; }

    // Exactly the report's sums. No value when unreadable.
    std::optional<QList<ProductTotal>> productTotals(int alsatMode, const ReportPeriod &period) const;
    // Booked packages per customer (Paket's Cari, Alsat, Tarih).
    std::optional<QList<GroupTotal>> customerTotals(int alsatMode, const ReportPeriod &period) const;
    // Packages weighed per station in the period, whatever became of them.
    std::optional<QList<GroupTotal>> stationTotals(const ReportPeriod &period) const;
    // The newest packages, newest first.
    std::optional<QList<PackageRow>> lastPackages(int count) const;
    // Each station's newest package time (Zaman), by station name.
    std::optional<QList<QPair<QString, QString>>> lastPackageTimes() const;
    // Changes whenever a package or a movement is added; empty when unreadable.
    QString changeMarker() const;

private:
    std::optional<QList<GroupTotal>> groupTotals(const QString &sql, const QVariantList &values) const;

    std::unique_ptr<StationDatabase> m_db;
    bool m_empty = false;
    QString m_error;
};
