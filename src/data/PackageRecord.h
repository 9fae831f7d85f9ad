#pragma once

#include <QString>
#include <optional>

// One package as the station keeps it: a row of Paket, in the station
// folder and on the central server alike.
struct PackageRecord
{
    QString key;     // Anahtar: names the package on the server too
    QString time;    // yyyy-MM-ddTHH:mm:ss, local time
    QString station;
    QString staff;
    QString product;
    QString barkod;  // the product's barcode prefix
    double kilo = 0; // net
    double tare = 0;
    QString lot;     // never empty: the production date when no lot was set
    QString animal;
    std::optional<qint64> orderRow; // TartSira
    QString labelBarcode;
    QString customer; // Cari, Alsat and Tarih once a slip booked it
    std::optional<int> alsat;
    QString date;
};
