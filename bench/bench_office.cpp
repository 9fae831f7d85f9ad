// The office's commands on big files: 100,000 customer accounts from CSV
// into an empty table, and a month's totals over 1,000,000 stock movements
// into a CSV file.
#include "BenchStation.h"

#include "data/StationDatabase.h"
#include "office/ReportCommand.h"
#include "office/TableCommand.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTextStream>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int Customers = 100000;
constexpr int Products = 2000;
constexpr int Movements = 1000000;

QString benchFolder(const QString &name)
{
    return QDir::tempPath() + u"/tavran-bench-office/"_s + name;
}

// Accounts with Turkish letters, an apostrophe and a quoted address.
QString customersFile()
{
    const QString path = benchFolder(u"customers.csv"_s);
    if (QFile::exists(path))
        return path;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return path;
    QTextStream out(&file);
    out << "Kod,Unvan,Gurup,Adres,Telefon\r\n";
    for (int i = 0; i < Customers; ++i) {
        out << "C" << i << ",Şükrü'nün Kasabı " << i << (i % 2 ? ",SATIŞ" : ",ALIŞ")
            << ",\"Atatürk Cad. " << i % 300 << ", İzmir\",0232 " << 1000000 + i << "\r\n";
    }
    return path;
}

// A year of movements over the products, both directions; made once.
QString movementsFolder()
{
    const QString folder = benchFolder(u"report"_s);
    QDir().mkpath(folder);
    StationDatabase stok(folder + u"/Stok.db"_s, Schema::File::Stok);
    QSqlDatabase db = stok.database();
    QSqlQuery count(u"SELECT COUNT(*) FROM StokHaraket"_s, db);
    if (count.next() && count.value(0).toInt() >= Movements)
        return folder;
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare(u"INSERT INTO Stok(Barkod, \"Ürün\", Birim) VALUES (?, ?, 'Kg')"_s);
    for (int i = 0; i < Products; ++i) {
        insert.bindValue(0, QString::number(2000000 + i));
        insert.bindValue(1, u"Ürün %1 Çiğ"_s.arg(i));
        insert.exec();
    }
    insert.prepare(u"INSERT INTO StokHaraket(Tarih, \"Ürün\", Miktar, Alsat) VALUES (?, ?, ?, ?)"_s);
    QRandomGenerator random(11);
    const QDate start(2026, 1, 1);
    for (int i = 0; i < Movements; ++i) {
        insert.bindValue(0, start.addDays(random.bounded(365)).toString(Qt::ISODate));
        insert.bindValue(1, u"Ürün %1 Çiğ"_s.arg(random.bounded(Products)));
        insert.bindValue(2, random.bounded(1, 50000) / 1000.0);
        insert.bindValue(3, random.bounded(2));
        if (!insert.exec()) {
            std::fprintf(stderr, "cannot add movements\n");
            break;
        }
    }
    db.commit();
    return folder;
}

void BM_ImportCustomers(benchmark::State &state)
{
    const QString csv = customersFile();
    const QString folder = benchFolder(u"import"_s);
    QString log;
    QTextStream out(&log);
    int code = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QDir(folder).removeRecursively();
        state.ResumeTiming();
        code = TableCommand::run({u"customers"_s, u"import"_s, csv}, folder, out, out);
    }
    if (code != 0)
        state.SkipWithError(qPrintable(log));
    state.counters["rows/s"] = benchmark::Counter(double(Customers) * double(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ImportCustomers)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MonthlyReportToCsv(benchmark::State &state)
{
    const QString folder = movementsFolder();
    const QString csv = benchFolder(u"december.csv"_s);
    QString log;
    QTextStream out(&log);
    int code = 0;
    for (auto _ : state)
        code = ReportCommand::run({u"report"_s, u"--month"_s, u"2026-12"_s, u"--csv"_s, csv}, folder,
                                  out, out);
    if (code != 0)
        state.SkipWithError(qPrintable(log));
    state.counters["movements"] = Movements;
}
BENCHMARK(BM_MonthlyReportToCsv)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    prepareBenchEnvironment();
    QGuiApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
