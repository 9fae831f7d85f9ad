// `tavran trace` over 1,000,000 packages (5,000 lots of 200, 1,000 customers,
// every tenth package not on a slip): a lot's packages, one package by a
// GS1 scan, a customer's month. The whole command as a shell runs it, from
// opening the data to the table, on a station folder and on the central
// server (the tests' own, see bench_central).
#include "BenchStation.h"

#include "data/DatabaseLocation.h"
#include "data/DemoStation.h"
#include "data/StationDatabase.h"
#include "office/TraceCommand.h"
#include "station/DatabaseSetting.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int Packages = 1000000;

// Package i: lot L-(i/200), customer "Cari (i/20 % 1000)", 30 s apart over
// 2026, booked the day it was weighed. Lot L-100's first package is 20.100
// kg of "Ürün 0", whose GTIN is 08690000000012.
constexpr char16_t SqliteFillSql[] =
    u"WITH RECURSIVE c(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM c WHERE i + 1 < 1000000) "
    u"INSERT INTO Paket(Anahtar, Zaman, Istasyon, Personel, \"Ürün\", Barkod, Kilo, Parti, Hayvan, "
    u"EtiketBarkod, Cari, Alsat, Tarih) "
    u"SELECT 'b' || i, strftime('%Y-%m-%dT%H:%M:%S', '2026-01-01', '+' || (i * 30) || ' seconds'), "
    u"'İstasyon ' || (i % 4), 'Ahmet', 'Ürün ' || (i % 2000), 2000000 + i % 2000, "
    u"((i * 131) % 50000) / 1000.0 + 0.1, 'L-' || (i / 200), 'TR' || (i / 50), 'E' || i, "
    u"CASE WHEN i % 10 = 9 THEN NULL ELSE 'Cari ' || ((i / 20) % 1000) END, "
    u"CASE WHEN i % 10 = 9 THEN NULL ELSE 0 END, "
    u"CASE WHEN i % 10 = 9 THEN NULL ELSE date('2026-01-01', '+' || (i * 30 / 86400) || ' days') END "
    u"FROM c";
constexpr char16_t ServerFillSql[] =
    u"INSERT INTO \"Paket\"(\"Anahtar\", \"Zaman\", \"Istasyon\", \"Personel\", \"Ürün\", \"Barkod\", "
    u"\"Kilo\", \"Parti\", \"Hayvan\", \"EtiketBarkod\", \"Cari\", \"Alsat\", \"Tarih\") "
    u"SELECT 'b' || i, to_char(timestamp '2026-01-01' + i * interval '30 seconds', "
    u"'YYYY-MM-DD\"T\"HH24:MI:SS'), 'İstasyon ' || (i % 4), 'Ahmet', 'Ürün ' || (i % 2000), "
    u"(2000000 + i % 2000)::text, ((i * 131) % 50000) / 1000.0 + 0.1, 'L-' || (i / 200), "
    u"'TR' || (i / 50), 'E' || i, "
    u"CASE WHEN i % 10 = 9 THEN NULL ELSE 'Cari ' || ((i / 20) % 1000) END, "
    u"CASE WHEN i % 10 = 9 THEN NULL ELSE 0 END, "
    u"CASE WHEN i % 10 = 9 THEN NULL ELSE to_char(date '2026-01-01' + (i * 30 / 86400), 'YYYY-MM-DD') END "
    u"FROM generate_series(0, 999999) i";
constexpr char16_t GtinSql[] =
    u"INSERT INTO \"StokEk\"(\"Ürün\", \"GTIN\") VALUES ('Ürün 0', '08690000000012')";
constexpr char16_t CustomerSql[] =
    u"INSERT INTO \"Cari\"(\"Kod\", \"Unvan\", \"Gurup\") VALUES ('500', 'Cari 500', 'Müşteri')";

QString traceFolder()
{
    static const QString folder = [] {
        const QString path = QDir::tempPath() + u"/tavran-bench-trace-%1"_s.arg(Packages);
        if (QFileInfo::exists(path + u"/Stok.db"_s))
            return path;
        QString error;
        if (!DemoStation::create(path, {}, &error)) {
            std::fprintf(stderr, "cannot make %s: %s\n", qPrintable(path), qPrintable(error));
            return path;
        }
        StationDatabase stok(path + u"/Stok.db"_s, Schema::File::Stok);
        StationDatabase cari(path + u"/Cari.db"_s, Schema::File::Cari);
        QSqlQuery fill(stok.database());
        QSqlQuery account(cari.database());
        if (!fill.exec(QString::fromUtf16(SqliteFillSql)) || !fill.exec(QString::fromUtf16(GtinSql))
            || !account.exec(QString::fromUtf16(CustomerSql)) || !fill.exec(u"ANALYZE"_s)) {
            std::fprintf(stderr, "cannot fill %s\n", qPrintable(path));
        }
        return path;
    }();
    return folder;
}

const std::optional<DatabaseLocation> &server()
{
    static const std::optional<DatabaseLocation> location = benchServerDatabase(
        u"tavran_bench_trace"_s, {QString::fromUtf16(ServerFillSql), QString::fromUtf16(GtinSql),
                                  QString::fromUtf16(CustomerSql), u"ANALYZE"_s});
    return location;
}

void trace(benchmark::State &state, const QStringList &question, bool central)
{
    if (central && !server()) {
        state.SkipWithError("no PostgreSQL server");
        return;
    }
    DatabaseSetting::setOverride(central ? server()->display() : QString());
    const QString folder = traceFolder();
    const QStringList arguments = QStringList{u"trace"_s} + question;
    qsizetype lines = 0;
    for (auto _ : state) {
        QString text, errors;
        QTextStream out(&text), err(&errors);
        if (TraceCommand::run(arguments, folder, out, err) != 0) {
            state.SkipWithError(qPrintable(errors));
            return;
        }
        lines = text.count(u'\n');
    }
    state.counters["lines"] = double(lines);
}

const QStringList Lot{u"--lot"_s, u"L-2500"_s};
const QStringList Scan{u"--package"_s, u"]C10108690000000012310302010010L-100"_s};
const QStringList CustomerMonth{u"--customer"_s, u"cari 500"_s, u"--from"_s, u"2026-06-01"_s,
                                u"--to"_s, u"2026-06-30"_s};
const QStringList CustomerYear{u"--customer"_s, u"Cari 500"_s, u"--from"_s, u"2026-01-01"_s,
                               u"--to"_s, u"2026-12-31"_s};

void BM_FolderLot(benchmark::State &state) { trace(state, Lot, false); }
void BM_FolderScan(benchmark::State &state) { trace(state, Scan, false); }
void BM_FolderCustomerMonth(benchmark::State &state) { trace(state, CustomerMonth, false); }
void BM_FolderCustomerYear(benchmark::State &state) { trace(state, CustomerYear, false); }
void BM_ServerLot(benchmark::State &state) { trace(state, Lot, true); }
void BM_ServerScan(benchmark::State &state) { trace(state, Scan, true); }
void BM_ServerCustomerMonth(benchmark::State &state) { trace(state, CustomerMonth, true); }
void BM_ServerCustomerYear(benchmark::State &state) { trace(state, CustomerYear, true); }
BENCHMARK(BM_FolderLot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FolderScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FolderCustomerMonth)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FolderCustomerYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ServerLot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ServerScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ServerCustomerMonth)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ServerCustomerYear)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    prepareBenchEnvironment();
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
