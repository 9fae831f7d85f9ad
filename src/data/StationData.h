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
    // without records.
    void bind(const QString &folder);

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

    // Runs one of the fixed delete statements on the database of `control`
    // and refreshes the control. False (and logged) on failure.
    bool deleteAllRows(DataControl &control);

private:
    std::shared_ptr<StationDatabase> m_cari;
    std::shared_ptr<StationDatabase> m_stok;
    std::shared_ptr<StationDatabase> m_tavran;
    DataControl *m_data[6] = {};
};
