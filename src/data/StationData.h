#pragma once

#include "data/DataControl.h"
#include "data/ProductExtras.h"

#include <QObject>
#include <QString>
#include <memory>

class CentralLink;
class StationDatabase;

// The six data controls of the main window, bound to the station folder's
// three database files:  Data1 accounts, Data2 and Data3 (order rows) on
// Tavran.db, Data4 products, Data5 stock movements, Data6 scratch sums.
class StationData : public QObject
{
    Q_OBJECT
public:
    explicit StationData(QObject *parent = nullptr);
    ~StationData() override;

    // Binds every control to the files of `folder` (created with their
    // tables when missing). A file that cannot be opened leaves its controls
    // without records. With `server` (the Database setting's URL) the
    // accounts and products are the lists last read from that server, kept
    // in the folder and read again in the background (refreshSharedTables);
    // bookings and report sums go to the server through link(). The order
    // and the scratch sums stay in the folder.
    void bind(const QString &folder, const QString &server = {});

    DataControl &data1() { return *m_data[0]; }
    DataControl &data2() { return *m_data[1]; }
    DataControl &data3() { return *m_data[2]; }
    DataControl &data4() { return *m_data[3]; }
    DataControl &data5() { return *m_data[4]; }
    DataControl &data6() { return *m_data[5]; }
    DataControl &control(int number) { return *m_data[number - 1]; } // 1..6

    std::shared_ptr<StationDatabase> cari() const { return m_cari; }
    std::shared_ptr<StationDatabase> stok() const { return m_stok; }
    std::shared_ptr<StationDatabase> tavran() const { return m_tavran; }
    // The way to the server holding the shared tables; null on a station
    // folder alone.
    CentralLink *link() const { return m_link.get(); }
    // Why the lists could not be read off the server at the last try
    // (Turkish); empty when they could, or while no try has ended.
    QString sharedTablesError() const { return m_sharedError; }
    // Reads the lists off the server again without waiting for it;
    // sharedTablesRefreshed tells when that try ended. Nothing without a
    // server, or while a try is under way.
    void refreshSharedTables();

    // The extras of a product of the list data4 shows (the kept copy of the
    // server's on a plant with one); no value when they cannot be read.
    std::optional<ProductExtra> productExtra(const QString &product) const;
    // Remembers the lot and animal reference of `product` where its extras
    // are read, and on the server too without waiting for it. False (and
    // logged) when the station could not keep them.
    bool rememberLot(const QString &product, const QString &lot, const QString &animal);

    // Runs one of the fixed delete statements on the database of `control`
    // and refreshes the control. False (and logged) on failure.
    bool deleteAllRows(DataControl &control);

signals:
    // A try of refreshSharedTables ended: `error` empty when the kept lists
    // now hold the server's; `changed` when they differ from before.
    void sharedTablesRefreshed(const QString &error, bool changed);

private:
    void bindSharedTables();

    std::shared_ptr<StationDatabase> m_cari;
    std::shared_ptr<StationDatabase> m_stok;
    std::shared_ptr<StationDatabase> m_tavran;
    std::shared_ptr<StationDatabase> m_sharedCari; // the lists kept from the server
    std::shared_ptr<StationDatabase> m_sharedStok;
    std::unique_ptr<CentralLink> m_link;
    QString m_folder;
    QString m_sharedError;
    bool m_refreshing = false;
    DataControl *m_data[6] = {};
};
