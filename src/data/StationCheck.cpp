#include "data/StationCheck.h"

#include "data/Schema.h"
#include "data/StationDatabase.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace StationCheck {
namespace {

constexpr auto IntegrityCheckSql = "PRAGMA integrity_check"_L1;
// A station that is writing holds its file for a moment; wait for it.
constexpr auto ConnectOptions = "QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=30000"_L1;

Finding check(const QString &path)
{
    Finding finding{QFileInfo(path).fileName(), false, {}};
    if (!QFileInfo::exists(path)) {
        finding.summary = u"missing"_s;
        return finding;
    }
    static QAtomicInt counter;
    const QString connection = u"tavran-check-"_s + QString::number(counter.fetchAndAddRelaxed(1));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
        db.setDatabaseName(path);
        db.setConnectOptions(ConnectOptions);
        if (!db.open()) {
            finding.summary = u"cannot open: "_s + db.lastError().text();
        } else {
            // Older station files order their indexes with it.
            registerTurkishCollation(db);
            QSqlQuery query(db);
            if (!query.exec(IntegrityCheckSql)) {
                finding.summary = u"damaged: "_s + query.lastError().databaseText();
            } else {
                QStringList problems;
                // One line per file: SQLite starts a report with "*** in database main ***"
                // on a line of its own.
                while (query.next()) {
                    QString problem = query.value(0).toString();
                    problem.remove(u"*** in database main ***"_s);
                    problems << problem.simplified();
                }
                finding.sound = problems == QStringList{u"ok"_s};
                finding.summary = finding.sound ? u"ok"_s : u"damaged: "_s + problems.value(0);
                if (problems.size() > 1)
                    finding.summary += u" (and %1 more)"_s.arg(problems.size() - 1);
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return finding;
}

} // namespace

QList<Finding> run(const QString &stationFolder)
{
    QList<Finding> findings;
    for (Schema::File file : {Schema::File::Cari, Schema::File::Stok, Schema::File::Tavran})
        findings << check(QDir(stationFolder).filePath(Schema::fileName(file)));
    return findings;
}

} // namespace StationCheck
