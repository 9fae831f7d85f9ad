#pragma once

#include <QList>
#include <QString>
#include <optional>

// A slip as the journal recorded it: printed or abandoned.
struct SlipRow
{
    QString time; // "yyyy-MM-ddTHH:mm:ss"
    QString station;
    QString staff;
    QString customer;
    int rows = 0;
    double kilo = 0;
    QString printer;
    QString reason; // empty: printed
};

// What the journal last heard from one station.
struct StationActivity
{
    QString station;
    QString lastTime;
    QString lastKind;
    QString errorTime; // empty: no error recorded
    QString errorKind;
    QString errorReason;
};

// The parts of the station folder's journal the plant pages show. Read-only;
// a folder without a journal reads as an empty one.
namespace JournalDigest {

// The newest slips, newest first; no value when the journal is unreadable.
std::optional<QList<SlipRow>> lastSlips(const QString &stationFolder, int count);

// Every station's last entry and last entry carrying a failure reason (an
// abandoned print, a failed booking, a refused login), by station name.
std::optional<QList<StationActivity>> stations(const QString &stationFolder);

// The journal's newest entry id; "0" for no journal, empty when unreadable.
QString changeMarker(const QString &stationFolder);

} // namespace JournalDigest
