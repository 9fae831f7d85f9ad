#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// One line of the station's journal: who did what, where and when, with the
// values a plant needs to trace a package back.
struct JournalEntry
{
    qint64 id = 0;
    QDateTime time;  // local time, to the second
    QString station; // the host name or the StationName setting
    QString staff;   // the logged-in staff member
    QString kind;    // one of JournalKind
    QString product;
    std::optional<double> kilograms;
    QString barcode; // the barcode's whole code
    QString barkod;  // the product's barcode prefix
    QString productionDate; // yyyy-MM-dd
    QString useByDate;      // yyyy-MM-dd as printed (29 February stays 29 February)
    QString printer;
    QString customer;
    std::optional<int> rows;
    QString salePurchase; // "satış" or "alış"
    QString reason;       // why a job was abandoned or a login refused
    QString detail;
};

namespace JournalKind {
inline const QString Login = QStringLiteral("giriş");
inline const QString LoginRefused = QStringLiteral("giriş reddedildi");
inline const QString Product = QStringLiteral("ürün");
inline const QString Package = QStringLiteral("paket");
inline const QString Label = QStringLiteral("etiket");
inline const QString LabelAbandoned = QStringLiteral("etiket iptal");
inline const QString Slip = QStringLiteral("fiş");
inline const QString SlipAbandoned = QStringLiteral("fiş iptal");
inline const QString Booking = QStringLiteral("stok");
inline const QString Report = QStringLiteral("rapor");
inline const QString ReportAbandoned = QStringLiteral("rapor iptal");
inline const QString Setting = QStringLiteral("ayar");
} // namespace JournalKind
