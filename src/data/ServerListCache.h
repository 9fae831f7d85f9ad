#pragma once

#include <QString>

class CentralDatabase;

// The customer and product lists last read from the central server, kept in
// the station folder in files of the station's own layout (MerkezCari.db,
// MerkezStok.db), so the window lists them, and a restored order opens,
// while the server is away.
namespace ServerListCache {

QString cariPath(const QString &folder);
QString stokPath(const QString &folder);

struct Refresh
{
    QString failure;      // Turkish; empty when both lists were read
    bool changed = false; // the kept lists differ from before
};

// Reads both lists off the server and replaces the kept ones, each list all
// or nothing; a list the server still holds as kept is left untouched. Runs
// on the thread that owns `central`.
Refresh refresh(CentralDatabase &central, const QString &folder);

} // namespace ServerListCache
