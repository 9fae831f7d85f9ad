// Books order slips over and over on a station folder until it is killed:
// each round first books what an earlier, killed run left, then adds a few
// rows with names of their own and books them. With --once it only books
// what is left and exits (1 when the booking failed). With --database URL
// it books onto that central server instead, and a booking the server
// refuses (restarted, connection cut) is tried again rather than ending.
#include "data/CentralDatabase.h"
#include "data/PackageRecords.h"
#include "data/Schema.h"
#include "data/StationDatabase.h"
#include "weighing/CentralBooking.h"
#include "weighing/StockBooking.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>
#include <QThread>
#include <QUuid>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
constexpr char16_t InsertOrderRowSql[] =
    u"INSERT INTO Tart(\"Ürün\", Kilo, Barkod) VALUES (?, ?, '2000001')";
constexpr char16_t InsertPackageSql[] =
    u"INSERT INTO Paket(Anahtar, Zaman, \"Ürün\", Kilo, Parti) VALUES (?, '2026-12-08T10:00:00', ?, ?, 'L1')";
constexpr char16_t LinkPackageSql[] = u"INSERT INTO TartPaket(Anahtar, Sira) VALUES (?, last_insert_rowid())";
constexpr int RowsPerSlip = 20;
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return 2;
    const QDir folder(args[1]);
    StationDatabase stok(folder.filePath(u"Stok.db"_s), Schema::File::Stok);
    StationDatabase tavran(folder.filePath(u"Tavran.db"_s), Schema::File::Tavran);
    if (!stok.isOpen() || !tavran.isOpen())
        return 3;
    const QDate day(2026, 12, 8);
    std::unique_ptr<CentralDatabase> central;
    if (const qsizetype at = args.indexOf(u"--database"_s); at > 0) {
        const auto location = DatabaseLocation::parse(args.value(at + 1));
        if (!location || !location->central)
            return 2;
        central = std::make_unique<CentralDatabase>(*location);
    }
    const auto book = [&] {
        return central ? CentralBooking::book(*central, tavran, day, 0, u"Kasap"_s).ok()
                       : StockBooking::book(stok, tavran, day, 0, u"Kasap"_s).ok();
    };
    if (args.contains(u"--once"_s))
        return book() ? 0 : 1;

    const QString run = QUuid::createUuid().toString(QUuid::Id128).left(8);
    for (int slip = 0;; ++slip) {
        while (!book()) {
            if (!central)
                return 1;
            QThread::msleep(20);
        }
        // Each row's package is named as the row; it is written before
        // the row and linked to it with the row.
        QSqlDatabase packages = stok.database();
        QSqlQuery package(packages);
        if (!packages.transaction() || !package.prepare(QString::fromUtf16(InsertPackageSql)))
            return 1;
        for (int row = 0; row < RowsPerSlip; ++row) {
            package.addBindValue(u"%1-%2-%3"_s.arg(run).arg(slip).arg(row));
            package.addBindValue(u"%1-%2-%3"_s.arg(run).arg(slip).arg(row));
            package.addBindValue(1.0 + row);
            if (!package.exec())
                return 1;
        }
        if (!packages.commit())
            return 1;
        QSqlDatabase db = tavran.database();
        QSqlQuery insert(db);
        QSqlQuery link(db);
        if (!PackageRecords::ensureLinks(db, {}, nullptr) || !db.transaction()
            || !insert.prepare(QString::fromUtf16(InsertOrderRowSql))
            || !link.prepare(QString::fromUtf16(LinkPackageSql)))
            return 1;
        for (int row = 0; row < RowsPerSlip; ++row) {
            insert.addBindValue(u"%1-%2-%3"_s.arg(run).arg(slip).arg(row));
            insert.addBindValue(1.0 + row);
            link.addBindValue(u"%1-%2-%3"_s.arg(run).arg(slip).arg(row));
            if (!insert.exec() || !link.exec())
                return 1;
        }
        if (!db.commit())
            return 1;
    }
}
