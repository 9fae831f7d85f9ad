#include "data/DemoStation.h"
#include "data/StationDatabase.h"
#include "support/TestStation.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QString Program = QStringLiteral(TAVRAN_BINARY_DIR) + u"/src/tavran"_s;

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

// The environment of a shell with no display at all.
QProcessEnvironment withoutDisplay()
{
    static const QTemporaryDir runtime; // keeps Qt quiet about its runtime folder
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
        environment.remove(name);
    environment.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());
    return environment;
}

QProcessEnvironment offscreen()
{
    QProcessEnvironment environment = withoutDisplay();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    return environment;
}

Outcome runTavran(const QStringList &arguments, const QProcessEnvironment &environment = withoutDisplay())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(Program, arguments);
    Outcome outcome;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return outcome; // -1: crashed or hung
    outcome.exitCode = process.exitCode();
    outcome.out = QString::fromUtf8(process.readAllStandardOutput());
    outcome.err = QString::fromUtf8(process.readAllStandardError());
    return outcome;
}

// Starts the sqlite3 shell on `database` in `folder` and returns once it has
// run `script`: another program holding the station's files.
bool startShell(QProcess &shell, const QString &folder, const QString &database, const QByteArray &script)
{
    shell.setWorkingDirectory(folder);
    shell.start(u"stdbuf"_s, {u"-oL"_s, u"sqlite3"_s, database});
    if (!shell.waitForStarted())
        return false;
    shell.write(script + "SELECT 'held';\n");
    QByteArray said;
    const QDeadlineTimer deadline(10000);
    while (!said.contains("held") && !deadline.hasExpired()) {
        shell.waitForReadyRead(100);
        said += shell.readAllStandardOutput();
    }
    return said.contains("held");
}

// Starts the test's own X server and returns the environment of a program
// on it; empty when there is no Xvfb. -noreset: a client that ends before
// the station connects would otherwise reset the server.
std::optional<QProcessEnvironment> startXServer(QProcess &server)
{
    if (QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty())
        return std::nullopt;
    server.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-noreset"_s, u"-nolisten"_s, u"tcp"_s,
                             u"-screen"_s, u"0"_s, u"1280x1024x24"_s});
    QByteArray number;
    const QDeadlineTimer deadline(20000);
    while (!number.contains('\n') && !deadline.hasExpired()) {
        server.waitForReadyRead(100);
        number += server.readAllStandardOutput();
    }
    if (!number.contains('\n'))
        return std::nullopt;
    QProcessEnvironment environment = withoutDisplay();
    environment.insert(u"DISPLAY"_s, u':' + QString::fromLatin1(number.trimmed()));
    return environment;
}

// Every row of every table, in file order: what a restore would bring back.
QStringList dump(const QString &path)
{
    QStringList rows;
    const QString connection = u"dump-"_s + path;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
        db.setDatabaseName(path);
        if (!db.open() || !registerTurkishCollation(db))
            return {u"cannot open "_s + path};
        QSqlQuery tables(u"SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"_s, db);
        while (tables.next()) {
            QSqlQuery query(u"SELECT * FROM \"%1\" ORDER BY rowid"_s.arg(tables.value(0).toString()), db);
            while (query.next()) {
                QStringList fields{tables.value(0).toString()};
                for (int i = 0; i < query.record().count(); ++i)
                    fields << query.value(i).toString();
                rows << fields.join(u'|');
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return rows;
}

void writeText(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void worksWithoutADisplay_data();
    void worksWithoutADisplay();
    void oneStationWindowPerFolder();
    void secondWindowOnAScreenLeavesByItself();
    void backupCopiesWhatIsCommittedWhileAWriterHoldsTheFiles();
    void readersWaitForAWriter_data();
    void readersWaitForAWriter();
    void checkNamesTheDamagedFile_data();
    void checkNamesTheDamagedFile();
    void everyCommandSaysALockedFileIsBusy();
    void leftoverFilesAreTakenAsTheStationWouldTakeThem_data();
    void leftoverFilesAreTakenAsTheStationWouldTakeThem();
    void fullScreenWithoutAWindowManager();
    void refusedSettingIsNotReportedAsDone_data();
    void refusedSettingIsNotReportedAsDone();
};

void TestCommandLine::worksWithoutADisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // expected in stdout (exit 0) or stderr
    // "@" is a folder that does not exist.
    QTest::newRow("help") << QStringList{u"--help"_s} << 0 << u"backup"_s;
    QTest::newRow("help in Turkish")
        << QStringList{u"--help"_s} << 0 << u"  staff       bir personelin şifresini siler"_s;
    QTest::newRow("version") << QStringList{u"--version"_s} << 0 << u"tavran 0."_s;
    QTest::newRow("label help") << QStringList{u"label"_s, u"--help"_s} << 0 << u"--product"_s;
    QTest::newRow("config help") << QStringList{u"config"_s, u"-h"_s} << 0 << u"--app"_s;
    QTest::newRow("init-demo help") << QStringList{u"init-demo"_s, u"--help"_s} << 0 << u"--customers"_s;
    QTest::newRow("backup help") << QStringList{u"backup"_s, u"--help"_s} << 0 << u"tavran backup"_s;
    QTest::newRow("check help") << QStringList{u"check"_s, u"--help"_s} << 0 << u"tavran check"_s;
    QTest::newRow("staff help") << QStringList{u"staff"_s, u"--help"_s} << 0 << u"reset AD"_s;
    QTest::newRow("journal help") << QStringList{u"journal"_s, u"--help"_s} << 0 << u"--csv"_s;
    QTest::newRow("serve help") << QStringList{u"serve"_s, u"--help"_s} << 0 << u"--listen <adres:port>"_s;
    QTest::newRow("serve on no address")
        << QStringList{u"serve"_s, u"--listen"_s, u"127.0.0.1:99999"_s} << 2 << u"geçersiz adres"_s;
    QTest::newRow("serve over a missing folder")
        << QStringList{u"serve"_s, u"--folder"_s, u"@"_s} << 1 << u"istasyon klasörü yok"_s;
    QTest::newRow("unknown command") << QStringList{u"weigh"_s} << 2 << u"bilinmeyen komut \"weigh\""_s;
    QTest::newRow("unknown option") << QStringList{u"--colour"_s} << 2 << u"Bilinmeyen seçenek 'colour'"_s;
    QTest::newRow("unknown command option") << QStringList{u"label"_s, u"--colour"_s} << 2 << u"colour"_s;
    QTest::newRow("missing value") << QStringList{u"--data-dir"_s} << 2 << u"data-dir"_s;
    QTest::newRow("window without a display") << QStringList{} << 1 << u"ekran yok (DISPLAY"_s;
    QTest::newRow("named folder missing")
        << QStringList{u"--data-dir"_s, u"@"_s, u"label"_s, u"--product"_s, u"Dana"_s, u"--weight"_s,
                       u"1"_s, u"--pdf"_s, u"@/x.pdf"_s}
        << 1 << u"istasyon klasörü yok"_s;
    QTest::newRow("init-demo makes the named folder")
        << QStringList{u"--data-dir"_s, u"@"_s, u"init-demo"_s} << 0 << u"Örnek istasyon hazır"_s;
}

void TestCommandLine::worksWithoutADisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    TestStation station;
    const QString missing = station.root() + u"/nowhere"_s;
    arguments.replaceInStrings(u"@"_s, missing);
    const Outcome outcome = runTavran(arguments);
    QCOMPARE(outcome.exitCode, exitCode);
    QVERIFY2((exitCode == 0 ? outcome.out : outcome.err).contains(output), qPrintable(outcome.err));
    if (exitCode == 2) // one line that says what is wrong
        QCOMPARE(outcome.err.trimmed().count(u'\n'), 0);
    // Only init-demo creates a station folder.
    QCOMPARE(QFileInfo::exists(missing), arguments.contains(missing) && exitCode == 0);
}

void TestCommandLine::oneStationWindowPerFolder()
{
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    const QStringList window{u"--data-dir"_s, station.stationDir()};
    const QString lock = station.stationDir() + u"/Tavran.lock"_s;
    const auto holder = [&] {
        QFile file(lock);
        return file.open(QIODevice::ReadOnly) ? file.readLine().trimmed().toLongLong() : 0;
    };

    QProcess first;
    first.setProcessEnvironment(offscreen());
    first.start(Program, window);
    QTRY_COMPARE_WITH_TIMEOUT(holder(), first.processId(), 30000);

    const Outcome second = runTavran(window, offscreen());
    QCOMPARE(second.exitCode, 1);
    QVERIFY2(second.err.contains(station.stationDir()), qPrintable(second.err));
    QCOMPARE(first.state(), QProcess::Running);

    // The command-line readers share the folder with the running station.
    const QString pdf = station.root() + u"/reprint.pdf"_s;
    const Outcome label = runTavran({u"--data-dir"_s, station.stationDir(), u"label"_s, u"--product"_s,
                                     u"Dana Kuşbaşı"_s, u"--weight"_s, u"1,5"_s, u"--pdf"_s, pdf});
    QVERIFY2(label.exitCode == 0, qPrintable(label.err));
    QVERIFY(QFileInfo(pdf).size() > 0);
    const Outcome check = runTavran({u"--data-dir"_s, station.stationDir(), u"check"_s});
    QVERIFY2(check.exitCode == 0, qPrintable(check.out + check.err));
    QCOMPARE(first.state(), QProcess::Running);

    // A station that was killed leaves its lock file, but not its claim.
    first.kill();
    QVERIFY(first.waitForFinished(10000));
    QVERIFY(QFileInfo::exists(lock));
    QProcess next;
    next.setProcessEnvironment(offscreen());
    next.start(Program, window);
    QTRY_COMPARE_WITH_TIMEOUT(holder(), next.processId(), 30000);
    next.kill();
    next.waitForFinished(10000);
}

// On a screen the refusal is shown, and the second window still leaves by
// itself: a kiosk that starts it with nobody there gets its exit code.
void TestCommandLine::secondWindowOnAScreenLeavesByItself()
{
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    QLockFile held(station.stationDir() + u"/Tavran.lock"_s);
    QVERIFY(held.tryLock(0));
    QProcess server;
    const std::optional<QProcessEnvironment> display = startXServer(server);
    if (!display)
        QSKIP("needs Xvfb");
    QProcessEnvironment onScreen = *display;
    onScreen.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);

    const Outcome second = runTavran({u"--data-dir"_s, station.stationDir()}, onScreen);
    QCOMPARE(second.exitCode, 1); // -1: still waiting for a tap after a minute
    QVERIFY2(second.err.contains(station.stationDir()), qPrintable(second.err));
    server.terminate();
    server.waitForFinished();
}

void TestCommandLine::backupCopiesWhatIsCommittedWhileAWriterHoldsTheFiles()
{
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir(), {.extraCustomers = 300, .extraProducts = 300}));
    const QDir folder(station.stationDir());

    // Another program writes into two of the files and has not committed yet.
    QProcess writer;
    QVERIFY(startShell(writer, station.stationDir(), u"Stok.db"_s,
                       "ATTACH 'Tavran.db' AS t;\n"
                       "INSERT INTO t.Tart(\"Ürün\", Kilo) VALUES('Sucuk', 2.5);\n"
                       "BEGIN IMMEDIATE;\n"
                       "INSERT INTO StokTmp VALUES('Yarım', 1);\n"
                       "INSERT INTO t.Tart(\"Ürün\", Kilo) VALUES('Yarım', 1);\n"));

    const QString backup = station.root() + u"/backup"_s;
    const Outcome outcome = runTavran({u"--data-dir"_s, station.stationDir(), u"backup"_s, backup});
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.err));
    writer.kill();
    writer.waitForFinished();

    for (const QString &name : {u"Cari.db"_s, u"Stok.db"_s, u"Tavran.db"_s}) {
        const QStringList copied = dump(backup + u'/' + name);
        QVERIFY(!copied.isEmpty());
        QCOMPARE(copied, dump(folder.filePath(name)));
    }
    QVERIFY(dump(backup + u"/Tavran.db"_s).contains(u"Tart|Sucuk|2.5||1"_s));
    for (const QString &name : {u"Tavran.Txt"_s, u"Personel.Txt"_s}) {
        QFile original(folder.filePath(name));
        QFile copy(backup + u'/' + name);
        QVERIFY(original.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), original.readAll());
    }
    // That backup is not replaced by the next one unless asked to.
    const Outcome again = runTavran({u"--data-dir"_s, station.stationDir(), u"backup"_s, backup});
    QVERIFY2(again.exitCode == 1 && again.err.contains(u"--overwrite"_s), qPrintable(again.err));
    QCOMPARE(runTavran({u"--data-dir"_s, station.stationDir(), u"backup"_s, u"--overwrite"_s, backup}).exitCode, 0);

    // A replacement that fails half-way leaves the earlier backup whole.
    QFile earlier(backup + u"/Tavran.Txt"_s);
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    const QByteArray earlierText = earlier.readAll();
    earlier.close();
    station.writeStationFile(u"Tavran.Txt"_s, "changed\r\n");
    QVERIFY(QDir().mkpath(backup + u"/Personel.Txt.yeni"_s)); // the last file cannot be written
    QCOMPARE(runTavran({u"--data-dir"_s, station.stationDir(), u"backup"_s, u"--overwrite"_s, backup}).exitCode, 1);
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), earlierText);
    QVERIFY(!QFileInfo::exists(backup + u"/Stok.db.yeni"_s));
}

void TestCommandLine::readersWaitForAWriter_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("label") << QStringList{u"label"_s, u"--product"_s, u"Dana Kuşbaşı"_s, u"--weight"_s,
                                          u"2"_s, u"--pdf"_s, u"@/label.pdf"_s};
    QTest::newRow("check") << QStringList{u"check"_s};
    QTest::newRow("trace") << QStringList{u"trace"_s, u"--lot"_s, u"L-1"_s};
    QTest::newRow("backup") << QStringList{u"backup"_s, u"@/backup"_s};
}

// A station commits in a moment; a reader started in that moment waits for
// it instead of failing with "database is locked".
void TestCommandLine::readersWaitForAWriter()
{
    QFETCH(QStringList, arguments);
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    arguments.replaceInStrings(u"@"_s, station.root());

    // In a rollback journal an exclusive lock keeps readers out until the commit.
    QProcess writer;
    QVERIFY(startShell(writer, station.stationDir(), u"Stok.db"_s,
                       "ATTACH 'Tavran.db' AS t; ATTACH 'Cari.db' AS c;\n"
                       "PRAGMA journal_mode=DELETE; PRAGMA t.journal_mode=DELETE;\n"
                       "PRAGMA c.journal_mode=DELETE;\n"
                       "BEGIN EXCLUSIVE;\n"
                       "INSERT INTO StokTmp VALUES('Yarım', 1);\n"));

    QProcess reader;
    reader.setProcessEnvironment(withoutDisplay());
    reader.start(Program, QStringList{u"--data-dir"_s, station.stationDir()} + arguments);
    QTest::qWait(1000);
    writer.write("COMMIT;\n.quit\n");
    QVERIFY(writer.waitForFinished(10000));
    QVERIFY(reader.state() == QProcess::NotRunning || reader.waitForFinished(60000));
    QVERIFY2(reader.exitCode() == 0, reader.readAllStandardError().constData());
}

void TestCommandLine::checkNamesTheDamagedFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qint64>("offset"); // where garbage overwrites a page; -1 leaves it sound
    QTest::newRow("sound station") << QString() << qint64(-1);
    QTest::newRow("header") << u"Cari.db"_s << qint64(0);
    QTest::newRow("a table page") << u"Stok.db"_s << qint64(3 * 4096);
    QTest::newRow("order rows") << u"Tavran.db"_s << qint64(100);
}

void TestCommandLine::checkNamesTheDamagedFile()
{
    QFETCH(QString, file);
    QFETCH(qint64, offset);
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir(), {.extraCustomers = 500, .extraProducts = 500}));
    if (offset >= 0) {
        QFile damaged(station.stationDir() + u'/' + file);
        QVERIFY(damaged.open(QIODevice::ReadWrite));
        QVERIFY(damaged.size() > offset + 4096);
        QVERIFY(damaged.seek(offset));
        damaged.write(QByteArray(4096, '\x5a'));
    }
    const Outcome outcome = runTavran({u"--data-dir"_s, station.stationDir(), u"check"_s});
    QCOMPARE(outcome.exitCode, file.isEmpty() ? 0 : 1);
    const QStringList lines = outcome.out.trimmed().split(u'\n');
    QCOMPARE(lines.size(), 3);
    for (const QString &line : lines) {
        const bool isDamaged = line.startsWith(file + u": bozuk"_s);
        QVERIFY2(isDamaged == (!file.isEmpty() && line.startsWith(file)), qPrintable(line));
        QVERIFY2(isDamaged || line.endsWith(u": sağlam"_s), qPrintable(line));
    }
}

// Another program holds every file of the station in one exclusive
// transaction for longer than anyone waits. The commands run side by side:
// each waits the busy time on its own.
void TestCommandLine::everyCommandSaysALockedFileIsBusy()
{
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    // The station key and the journal exist from a first setting.
    QCOMPARE(runTavran({u"config"_s, u"set"_s, u"StationName"_s, u"Kesimhane 2"_s}).exitCode, 0);
    writeText(station.root() + u"/p.csv"_s, "Barkod,Ürün\n2000009,Yeni\n");
    QProcess holder;
    QVERIFY(startShell(holder, station.stationDir(), u"Stok.db"_s,
                       "ATTACH 'Tavran.db' AS t; ATTACH 'Cari.db' AS c; ATTACH 'Journal.db' AS j;\n"
                       "ATTACH '" + QFile::encodeName(station.configHome()) + "/ZazivEd/Properties1.db' AS k;\n"
                       "BEGIN EXCLUSIVE; INSERT INTO StokTmp VALUES('Yarım', 1);\n"));

    const struct
    {
        QStringList arguments;
        QString busy; // how the message names the file; empty: the exit code alone
    } commands[] = {
        {{u"config"_s, u"get"_s, u"StationName"_s}, u"Ayar dosyası okunamadı"_s},
        // The station key says which database to read: held, it stops the command.
        {{u"report"_s, u"--day"_s, u"2026-12-08"_s}, u"Ayar dosyası okunamadı"_s},
        {{u"label"_s, u"--product"_s, u"Dana Kuşbaşı"_s, u"--weight"_s, u"2"_s, u"--pdf"_s, u"@/l.pdf"_s},
         u"Stok.db meşgul"_s},
        {{u"journal"_s}, u"Journal.db meşgul"_s},
        {{u"check"_s}, u"Cari.db: meşgul"_s},
        {{u"backup"_s, u"@/backup"_s}, u"Cari.db meşgul"_s},
        {{u"slip"_s, u"--pdf"_s, u"@/slip.pdf"_s}, u"Tavran.db meşgul"_s},
        {{u"movements"_s, u"--from"_s, u"2026-12-01"_s, u"--to"_s, u"2026-12-08"_s}, u"Ayar dosyası okunamadı"_s},
        {{u"products"_s, u"import"_s, u"@/p.csv"_s}, u"Ayar dosyası okunamadı"_s},
    };
    std::vector<std::unique_ptr<QProcess>> readers;
    std::vector<qint64> endedAfterMs(std::size(commands), -1);
    QElapsedTimer clock;
    clock.start();
    for (const auto &command : commands) {
        auto &reader = readers.emplace_back(std::make_unique<QProcess>());
        connect(reader.get(), &QProcess::finished, this,
                [&endedAfterMs, &clock, i = readers.size() - 1] { endedAfterMs[i] = clock.elapsed(); });
        reader->setProcessEnvironment(offscreen());
        reader->start(Program, QStringList{u"--data-dir"_s, station.stationDir()}
                                   + QStringList(command.arguments).replaceInStrings(u"@"_s, station.root()));
    }
    QTRY_VERIFY_WITH_TIMEOUT(std::ranges::count(endedAfterMs, -1) == 0, 120000);
    for (std::size_t i = 0; i < readers.size(); ++i) {
        // check names each file on a line of the standard output.
        const QString said = commands[i].arguments.join(u' ') + u": "_s
                             + QString::fromUtf8(readers[i]->readAll() + readers[i]->readAllStandardError());
        QVERIFY2(readers[i]->exitCode() == 1 && said.contains(commands[i].busy), qPrintable(said));
        QVERIFY2(!said.contains(u"no product named"_s) && !said.contains(u"açılamadı"_s), qPrintable(said));
        // Nobody gives up before the busy time.
        QVERIFY2(endedAfterMs[i] >= 9500, qPrintable(said));
    }
    holder.kill();
    holder.waitForFinished();
}

void TestCommandLine::leftoverFilesAreTakenAsTheStationWouldTakeThem_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("script"); // run by another program, which is then killed
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("said"); // a line the command writes

    // A small cache: the changed pages reach the file before any commit.
    const QByteArray write = "PRAGMA cache_size=2; BEGIN;\n"
                             "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
                             "INSERT INTO ";
    QTest::newRow("check, products in mid-write") << u"Stok.db"_s
        << write + "Stok SELECT i, printf('%0300d', i), 'Kg' FROM n;\n" << QStringList{u"check"_s}
        << u"Stok.db: sağlam"_s;
    QTest::newRow("journal in mid-write") << u"Journal.db"_s
        << write + "entry(time, station, staff, kind, detail) SELECT 'T', 'S', 'P', 'K', printf('%0300d', i) FROM n;\n"
        << QStringList{u"journal"_s} << u"StationName"_s;
    // The first version: a write-ahead log, and an index in its own Turkish
    // order (here ASCII case folding) that today's order does not match.
    QTest::newRow("check, first version") << u"Stok.db"_s
        << QByteArray("PRAGMA journal_mode=WAL; PRAGMA user_version=1; PRAGMA wal_autocheckpoint=0;\n"
                      "DROP INDEX StokUrun; CREATE INDEX StokUrun ON Stok(\"Ürün\" COLLATE NOCASE);\n"
                      "PRAGMA writable_schema=ON;\n"
                      "UPDATE sqlite_master SET sql = replace(sql, 'NOCASE', 'TURKISH') WHERE name = 'StokUrun';\n")
        << QStringList{u"check"_s} << u"Stok.db: sağlam (ilk sürümün dosyası"_s;
}

// The station was killed in the middle of a write, or a first version left
// its log: whoever reads the file next takes it as the next start would, and
// leaves nothing beside it.
void TestCommandLine::leftoverFilesAreTakenAsTheStationWouldTakeThem()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, script);
    QFETCH(QStringList, arguments);
    QFETCH(QString, said);
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    QCOMPARE(runTavran({u"config"_s, u"set"_s, u"StationName"_s, u"Kesimhane 2"_s}).exitCode, 0);
    const QDir folder(station.stationDir());
    const QStringList leftovers{u"*-journal"_s, u"*-wal"_s, u"*-shm"_s};
    {
        QProcess writer;
        QVERIFY(startShell(writer, station.stationDir(), file, script));
        writer.kill();
        writer.waitForFinished();
    }
    QVERIFY(!folder.entryList(leftovers, QDir::Files).isEmpty());

    const Outcome outcome = runTavran(QStringList{u"--data-dir"_s, station.stationDir()} + arguments);
    QVERIFY2(outcome.exitCode == 0 && outcome.out.contains(said), qPrintable(outcome.out + outcome.err));
    QVERIFY2(!outcome.out.contains(u"0000000000"_s), "a row of the killed write was read");
    QCOMPARE(folder.entryList(leftovers, QDir::Files), QStringList());
}

// A kiosk X server: nobody acts on a full-screen request there.
void TestCommandLine::fullScreenWithoutAWindowManager()
{
    if (QStandardPaths::findExecutable(u"xdotool"_s).isEmpty())
        QSKIP("needs xdotool");
    TestStation station;
    QVERIFY(DemoStation::create(station.stationDir()));
    QProcess server;
    const std::optional<QProcessEnvironment> display = startXServer(server);
    if (!display)
        QSKIP("needs Xvfb");
    const QProcessEnvironment environment = *display;

    QProcess station1;
    station1.setProcessEnvironment(environment);
    const auto xdotool = [&](const QStringList &arguments) {
        QProcess tool;
        tool.setProcessEnvironment(environment);
        tool.start(u"xdotool"_s, arguments);
        tool.waitForFinished(10000);
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    };
    // The check is of the station, not of this machine's X server.
    if (!QTest::qWaitFor([&] { return xdotool({u"getdisplaygeometry"_s}) == u"1280 1024"_s; }, 20000))
        QSKIP("the test's own X server (Xvfb) does not answer");
    // A station that ended without reaching the fresh server gets one more start.
    QString window;
    for (int attempt = 0; attempt < 2 && window.isEmpty(); ++attempt) {
        if (station1.state() != QProcess::NotRunning)
            break;
        station1.start(Program, {u"--full-screen"_s, u"--data-dir"_s, station.stationDir()});
        std::ignore = QTest::qWaitFor(
            [&] {
                window = xdotool({u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"Tavran"_s});
                return !window.isEmpty() || station1.state() == QProcess::NotRunning;
            },
            60000);
    }
    QVERIFY2(!window.isEmpty(), station1.readAllStandardError().constData());
    QTRY_VERIFY2_WITH_TIMEOUT(xdotool({u"getwindowgeometry"_s, window.section(u'\n', 0, 0)})
                                  .contains(u"Geometry: 1280x1024"_s),
                              qPrintable(xdotool({u"getwindowgeometry"_s, window.section(u'\n', 0, 0)})),
                              10000);
    station1.kill();
    station1.waitForFinished();
    server.terminate();
    server.waitForFinished();
}

enum class Refusal { Damaged, Trigger, Writer, AppFile };

void TestCommandLine::refusedSettingIsNotReportedAsDone_data()
{
    QTest::addColumn<Refusal>("refusal");
    QTest::newRow("key file damaged") << Refusal::Damaged;
    QTest::newRow("a trigger refuses the change") << Refusal::Trigger;
    QTest::newRow("another program holds the key") << Refusal::Writer;
    QTest::newRow("application settings unwritable") << Refusal::AppFile;
}

void TestCommandLine::refusedSettingIsNotReportedAsDone()
{
    QFETCH(Refusal, refusal);
    TestStation station;
    const QString keyFile = station.configHome() + u"/ZazivEd/Properties1.db"_s;
    QCOMPARE(runTavran({u"config"_s, u"set"_s, u"FisYaz"_s, u"Fis"_s}).exitCode, 0);
    QStringList arguments{u"config"_s, u"set"_s, u"FisYaz"_s, u"Etiket"_s};

    QProcess writer;
    switch (refusal) {
    case Refusal::Damaged:
        QFile::remove(keyFile);
        station.writeStationFile(u"../config/ZazivEd/Properties1.db"_s, QByteArray(4096, 'z'));
        break;
    case Refusal::Trigger:
    case Refusal::Writer:
        QVERIFY(startShell(writer, station.root(), keyFile,
                           refusal == Refusal::Trigger
                               ? "CREATE TRIGGER refuse BEFORE UPDATE ON value "
                                 "BEGIN SELECT RAISE(ABORT, 'refused'); END;\n"
                               : "BEGIN IMMEDIATE;\n"));
        break;
    case Refusal::AppFile:
        QVERIFY(QDir().mkpath(station.configHome() + u"/Tavran/Tavran.ini"_s));
        arguments.insert(2, u"--app"_s);
        break;
    }

    const Outcome outcome = runTavran(arguments);
    QCOMPARE(outcome.exitCode, 1);
    QVERIFY2(outcome.err.contains(u"yazılamadı"_s), qPrintable(outcome.err));
    writer.kill();
    writer.waitForFinished();
    if (refusal != Refusal::Damaged && refusal != Refusal::AppFile)
        QCOMPARE(runTavran({u"config"_s, u"get"_s, u"FisYaz"_s}).out.trimmed(), u"Fis"_s);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
