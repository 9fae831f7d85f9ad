#pragma once

#include "journal/JournalEntry.h"

#include <QObject>

struct PrintJobResult;

// The station's journal writer: one line per call, with the time, the
// station and the logged-in staff member filled in. Writing never stops the
// work it records; the first entry that cannot be written is reported once
// through unwritable() and every failure is logged.
class Journal : public QObject
{
    Q_OBJECT
public:
    explicit Journal(const QString &stationFolder, QObject *parent = nullptr);

    QString file() const { return m_file; }
    QString station() const { return m_station; }
    QString staff() const { return m_staff; }
    void setStaff(const QString &name) { m_staff = name; }

    // The StationName setting of the station key, else the host name.
    static QString defaultStationName();

    void login(const QString &name, bool accepted, const QString &reason = {});
    void finishedProduct(const QString &product, double kilograms, const QString &barcode);
    // One package added, with the lot (and animal reference) it came from.
    void package(const QString &product, double kilograms, const QString &barkod, const QString &lot,
                 const QString &animal);
    void slip(const QString &customer, int rows, double kilograms, const QString &printer,
              const PrintJobResult &result);
    void booking(const QString &customer, int rows, double kilograms, int alsatMode, const QString &failure);
    void report(const QString &what, const QString &printer, const PrintJobResult &result);
    // A setting changed; password values are never written.
    void setting(const QString &name, const QString &value);
    // A setting changed on the screens; the window's place at exit is left out.
    void stationSetting(const QString &name, const QString &value, bool app);

    // Fills the time, station and staff when empty, and writes. Labels and
    // other documents bring their own entries.
    bool append(JournalEntry entry);

signals:
    // The journal cannot be written: «Kayıt defteri yazılamıyor: ...».
    void unwritable(const QString &notice);

private:
    QString m_file;
    QString m_station;
    QString m_staff;
    bool m_failureShown = false;
};
