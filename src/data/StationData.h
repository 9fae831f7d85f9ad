#pragma once

#include "data/DataControl.h"

#include <QObject>
#include <QString>
#include <memory>

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
    // accounts, products and movements come from that server instead; the
    // order and the scratch sums stay in the folder.
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
    // The server holding the shared tables; null on a station folder alone.
    std::shared_ptr<StationDatabase> server() const { return m_server; }
    // Why the shared tables cannot be read (Turkish); empty when they can.
    QString sharedTablesError() const;
    // Tries an unreachable server again and rebinds its controls; true when
    // the shared tables can be read now.
    bool retryServer();

    // Runs one of the fixed delete statements on the database of `control`
    // and refreshes the control. False (and logged) on failure.
    bool deleteAllRows(DataControl &control);

private:
    void bindSharedTables();

    std::shared_ptr<StationDatabase> m_cari;
    std::shared_ptr<StationDatabase> m_stok;
    std::shared_ptr<StationDatabase> m_tavran;
    std::shared_ptr<StationDatabase> m_server;
    DataControl *m_data[6] = {};
};
