#include "data/DemoStation.h"
#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "support/TestStation.h"

#include <QDir>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Runs the sqlite3 shell on one file of the folder; its output, or a text
// starting with "failed" when it could not read or write.
QString shell(const QString &folder, const QString &file, const QString &sql)
{
    QProcess process;
    process.start(u"sqlite3"_s, {u"-batch"_s, u"-cmd"_s, u".timeout 3000"_s,
                                 QDir(folder).filePath(file), sql});
    if (!process.waitForFinished(20000))
        return u"failed: no answer"_s;
    const QString error = QString::fromUtf8(process.readAllStandardError()).trimmed();
    if (process.exitCode() != 0 || !error.isEmpty())
        return u"failed: "_s + error;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QStringList column(Recordset &records, const QString &field)
{
    QStringList values;
    for (int i = 0; i < records.recordCount(); ++i)
        values << records.valueAt(i, records.fieldIndex(field)).toString();
    return values;
}

// Every table of the three files, with a row another program might add.
struct TableRow
{
    const char16_t *file;
    const char16_t *table;
    const char16_t *insert;
};
const TableRow Tables[] = {
    {u"Cari.db", u"Cari",
     u"INSERT INTO Cari(Kod, Unvan, Gurup) VALUES ('900', 'Çamlık Kasap', 'MÜŞTERİ')"},
    {u"Stok.db", u"Stok", u"INSERT INTO Stok(Barkod, \"Ürün\", Birim) VALUES ('2009', 'Çorba Kemiği', 'Kg')"},
    {u"Stok.db", u"StokHaraket",
     u"INSERT INTO StokHaraket VALUES ('2026-12-01', 'Çorba Kemiği', 4.5, 0)"},
    {u"Stok.db", u"StokTmp", u"INSERT INTO StokTmp VALUES ('Çorba Kemiği', 4.5)"},
    {u"Tavran.db", u"Tart", u"INSERT INTO Tart(\"Ürün\", Kilo, Barkod) VALUES ('Sucuk', 1.5, '2000001')"},
    {u"Tavran.db", u"Tavran", u"INSERT INTO Tavran VALUES ('Not', 'ofisten')"},
};

} // namespace

class TestOpenFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void otherProgramReadsAndWritesEveryTable();
    void oldFolderIsMigratedWithEveryRow();
};

void TestOpenFiles::initTestCase()
{
    if (QStandardPaths::findExecutable(u"sqlite3"_s).isEmpty())
        QSKIP("the sqlite3 shell is not installed (scripts/install-deps.sh)");
}

void TestOpenFiles::otherProgramReadsAndWritesEveryTable()
{
    TestStation station;
    const QString folder = station.stationDir();
    QVERIFY(DemoStation::create(folder));
    {
        // The station has the files open meanwhile, as in the office at noon.
        StationData running;
        running.bind(folder);
        for (const TableRow &row : Tables) {
            const QString file = QString::fromUtf16(row.file);
            const QString table = QString::fromUtf16(row.table);
            const QString count = u"SELECT COUNT(*) FROM "_s + table;
            const QString before = shell(folder, file, count + u"; SELECT * FROM "_s + table);
            QVERIFY2(!before.startsWith(u"failed"_s), qPrintable(table + u": "_s + before));
            const QString after = shell(folder, file, QString::fromUtf16(row.insert) + u"; "_s + count);
            QVERIFY2(!after.startsWith(u"failed"_s), qPrintable(table + u": "_s + after));
            QCOMPARE(after.toInt(), before.section(u'\n', 0, 0).toInt() + 1);
        }
        for (const QString &file : {u"Cari.db"_s, u"Stok.db"_s, u"Tavran.db"_s})
            QCOMPARE(shell(folder, file, u"PRAGMA integrity_check; PRAGMA journal_mode"_s),
                     u"ok\ndelete"_s);
    }

    // At the next start the new product and account are in their Turkish places.
    StationData data;
    data.bind(folder);
    QVERIFY(RefreshDataControl(data.data4()));
    QVERIFY(RefreshDataControl(data.data1()));
    const struct
    {
        QStringList list;
        QString before, added, after;
    } places[] = {
        {column(*data.data4().recordset(), u"Ürün"_s), u"Adana Kebap Harcı"_s, u"Çorba Kemiği"_s,
         u"Dana Antrikot"_s},
        {column(*data.data1().recordset(), u"Unvan"_s), u"Çağdaş Kebap Salonu"_s,
         u"Çamlık Kasap"_s, u"Çınar Otel Mutfağı"_s},
    };
    for (const auto &place : places) {
        const qsizetype at = place.list.indexOf(place.added);
        QVERIFY2(at > 0 && at + 1 < place.list.size() && place.list[at - 1] == place.before
                     && place.list[at + 1] == place.after,
                 qPrintable(place.list.join(u", "_s)));
    }
}

void TestOpenFiles::oldFolderIsMigratedWithEveryRow()
{
    TestStation station;
    const QString folder = station.stationDir();
    // A folder as the earlier version left it: indexes in the station's own
    // collation, write-ahead log, schema version 1.
    const QStringList oldSchema[] = {
        {u"CREATE TABLE Cari(Kod TEXT, Unvan TEXT, Gurup TEXT, Adres TEXT, Telefon TEXT, VergiNo TEXT)"_s,
         u"CREATE INDEX CariGurupUnvan ON Cari(Gurup, Unvan COLLATE TURKISH)"_s,
         u"INSERT INTO Cari(Kod, Unvan, Gurup) VALUES (1, 'Şahin', 'Müşteri'), (2, 'Işık', 'Müşteri'), "
         u"(3, 'İnci', 'Müşteri'), (4, 'Cam', 'Toptan')"_s},
        {u"CREATE TABLE Stok(Barkod TEXT, \"Ürün\" TEXT, Birim TEXT)"_s,
         u"CREATE INDEX StokUrun ON Stok(\"Ürün\" COLLATE TURKISH)"_s,
         u"CREATE TABLE StokHaraket(Tarih TEXT, \"Ürün\" TEXT, Miktar REAL, Alsat INTEGER)"_s,
         u"CREATE INDEX StokHaraketAlsatTarih ON StokHaraket(Alsat, Tarih)"_s,
         u"CREATE INDEX StokHaraketAlsatUrunTarih ON StokHaraket(Alsat, \"Ürün\" COLLATE TURKISH, Tarih)"_s,
         u"CREATE TABLE StokTmp(\"Ürün\" TEXT, Kilo REAL)"_s,
         u"INSERT INTO Stok VALUES ('1', 'Uzun', 'Kg'), ('2', 'ışık', 'Kg'), ('3', 'Çiğ', 'Kg')"_s,
         u"INSERT INTO StokHaraket VALUES ('2026-11-02', 'Uzun', 2.5, 0), ('2026-11-03', 'ışık', 1, 1), "
         u"('2026-11-04', 'Çiğ', 3, 0)"_s,
         u"INSERT INTO StokTmp VALUES ('Uzun', 2.5)"_s},
        {u"CREATE TABLE Tart(\"Ürün\" TEXT, Kilo REAL NOT NULL DEFAULT 0, Barkod TEXT, "
         u"Tamam INTEGER NOT NULL DEFAULT 1)"_s,
         u"CREATE TABLE Tavran(Anahtar TEXT, Deger TEXT)"_s,
         u"INSERT INTO Tart(\"Ürün\", Kilo) VALUES ('Uzun', 2.5), ('Çiğ', 3)"_s},
    };
    const QString files[] = {u"Cari.db"_s, u"Stok.db"_s, u"Tavran.db"_s};
    for (int i = 0; i < 3; ++i) {
        const QString name = u"old-"_s + files[i];
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
            db.setDatabaseName(QDir(folder).filePath(files[i]));
            QVERIFY(db.open());
            QVERIFY(registerTurkishCollation(db));
            QSqlQuery query(db);
            QVERIFY(query.exec(u"PRAGMA journal_mode=WAL"_s));
            for (const QString &sql : oldSchema[i])
                QVERIFY2(query.exec(sql), qPrintable(sql));
            QVERIFY(query.exec(u"PRAGMA user_version = 1"_s));
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }

    {
        StationData data;
        data.bind(folder);
        QVERIFY(data.cari()->isOpen() && data.stok()->isOpen() && data.tavran()->isOpen());
        QVERIFY(RefreshDataControl(data.data1()));
        QCOMPARE(column(*data.data1().recordset(), u"Unvan"_s),
                 (QStringList{u"Işık"_s, u"İnci"_s, u"Şahin"_s}));
        QVERIFY(RefreshDataControl(data.data4()));
        QCOMPARE(column(*data.data4().recordset(), u"Ürün"_s),
                 (QStringList{u"Çiğ"_s, u"ışık"_s, u"Uzun"_s}));
    }
    // Every row is still there, and any program can read the files now.
    const QString rowCounts[] = {
        u"SELECT COUNT(*) FROM Cari"_s,
        u"SELECT (SELECT COUNT(*) FROM Stok) || ' ' || (SELECT COUNT(*) FROM StokHaraket) || ' ' "
        u"|| (SELECT COUNT(*) FROM StokTmp)"_s,
        u"SELECT (SELECT COUNT(*) FROM Tart) || ' ' || (SELECT COUNT(*) FROM Tavran)"_s};
    const QString expected[] = {u"4"_s, u"3 3 1"_s, u"2 0"_s};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(shell(folder, files[i], rowCounts[i]), expected[i]);
        QCOMPARE(shell(folder, files[i],
                       u"SELECT COUNT(*) FROM sqlite_master WHERE sql LIKE '%TURKISH%'; "
                       u"PRAGMA user_version; PRAGMA journal_mode; PRAGMA integrity_check"_s),
                 u"0\n3\ndelete\nok"_s);
    }
}

QTEST_GUILESS_MAIN(TestOpenFiles)
#include "test_open_files.moc"
