#include "data/StationHealth.h"

#include "data/StationData.h"
#include "data/StationDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace StationHealth {
namespace {

// A file SQLite opened for reading only, or one in a folder where its
// journal cannot be made: either way no booking would be kept.
bool readOnly(const StationDatabase &database)
{
    if (!QFileInfo(QFileInfo(database.path()).absolutePath()).isWritable())
        return true;
    const QVariant handle = database.database().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    auto *sqlite = *static_cast<sqlite3 *const *>(handle.constData());
    return sqlite && sqlite3_db_readonly(sqlite, "main") == 1;
}

} // namespace

QStringList problems(const StationData &data)
{
    QStringList lines;
    for (const auto &database : {data.cari(), data.stok(), data.tavran()}) {
        if (!database)
            continue;
        const QString name = QFileInfo(database->path()).fileName();
        const QString path = QDir::toNativeSeparators(database->path());
        if (!database->isOpen())
            lines << u"%1 açılamadı (bozuk ya da okunamıyor), listeleri boş: %2"_s.arg(name, path);
        else if (readOnly(*database))
            lines << u"%1 yazılamıyor, yapılan işler kaydedilmez: %2"_s.arg(name, path);
    }
    return lines;
}

} // namespace StationHealth
