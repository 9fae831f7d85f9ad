#pragma once

#include "data/PackageRecord.h"

#include <QObject>
#include <QStringList>
#include <functional>

class StationData;

// The packages of the product on the scale. Each is recorded in Stok.db as
// it is added; "Tartım Tamam" links them to the product's order row and
// marks them with the label's barcode text. On a station bound to a central
// server every change is queued and sent there by the server's worker; the
// window never waits, and what the server missed goes with the next send.
class PackageRun : public QObject
{
    Q_OBJECT
public:
    explicit PackageRun(StationData &data, QObject *parent = nullptr);

    // A new product: the packages recorded so far belong to no run any more.
    void start();
    // Records one package (`record.key` and `time` are filled in). The
    // weighing goes on when it cannot be stored: false, and logged.
    bool add(PackageRecord &record);
    // Stores the order row through `addRow` together with the links of the
    // run's packages to it; false (nothing stored) when either fails.
    bool finish(const std::function<bool()> &addRow, const QString &labelBarcode, QString *error);
    QStringList keys() const { return m_keys; }

    // Sends the queued changes to the server, if the station has one; a
    // call during a send is answered by one more send after it. Also done
    // whenever the station's lists were read off the server.
    void sendQueued();

signals:
    // A send to the server ended: `failure` empty when it went out.
    void sent(int packages, const QString &failure);

private:
    StationData &m_data;
    QStringList m_keys;
    bool m_sending = false;
    bool m_sendAgain = false;
};
