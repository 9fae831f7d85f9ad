#include "staff/LoginLockout.h"
#include "staff/PasswordHash.h"
#include "station/SettingsStore.h"
#include "staff/StaffPasswords.h"
#include "app/StaffCommand.h"
#include "app/StationCommands.h"
#include "journal/JournalFile.h"
#include "support/InterruptedWrite.h"
#include "support/TestStation.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString Ahmet = u"Ahmet Yılmaz"_s;

int runCommand(const QStringList &arguments, const QString &folder, QString *output = nullptr,
               QString *errors = nullptr)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const auto run = arguments.first() == u"staff"_s ? &StaffCommand::run : &StationCommands::config;
    const int code = run(arguments, folder, outStream, errStream);
    if (output)
        *output = out;
    if (errors)
        *errors = err;
    return code;
}
} // namespace

class TestStaffPasswords : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { PasswordHash::setCost(PasswordHash::lightest()); }

    void productionCostIsInteractive();
    void lockGrowsToItsLongest_data();
    void lockGrowsToItsLongest();
    void lockMessageSaysTheTimeLeft_data();
    void lockMessageSaysTheTimeLeft();
    void configNeverPrintsAPassword();
    void configSetRefusesUnknownNames_data();
    void configSetRefusesUnknownNames();
    void configTellsALockedKey();
    void staffResetLetsTheNextEntrySetOne();
};

void TestStaffPasswords::productionCostIsInteractive()
{
    // The seam lowers only what a test asks for; a station runs at the interactive cost.
    QCOMPARE(PasswordHash::interactive().opsLimit, 2ull);
    QCOMPARE(PasswordHash::interactive().memLimit, std::size_t(64) << 20);
}

void TestStaffPasswords::lockGrowsToItsLongest_data()
{
    QTest::addColumn<int>("wrong");
    QTest::addColumn<qint64>("seconds");
    QTest::newRow("four wrong: no lock") << 4 << qint64(0);
    QTest::newRow("fifth") << 5 << qint64(30);
    QTest::newRow("sixth doubles") << 6 << qint64(60);
    QTest::newRow("ninth") << 9 << qint64(480);
    QTest::newRow("tenth reaches 15 minutes") << 10 << qint64(900);
    QTest::newRow("far more stays at 15 minutes") << 30 << qint64(900);
}

void TestStaffPasswords::lockGrowsToItsLongest()
{
    QFETCH(int, wrong);
    QFETCH(qint64, seconds);
    TestStation station;
    const QDateTime start = QDateTime::currentDateTimeUtc();
    LoginLockout lockout(StationKey(), [start] { return start; });
    qint64 last = -1;
    for (int i = 0; i < wrong; ++i)
        last = lockout.recordWrong(Ahmet);
    QCOMPARE(last, seconds);
    QCOMPARE(LoginLockout(StationKey(), [start] { return start; }).secondsLeft(Ahmet), seconds);
    QCOMPARE(lockout.secondsLeft(u"Ayşe Demir"_s), qint64(0));
}

void TestStaffPasswords::lockMessageSaysTheTimeLeft_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("message");
    QTest::newRow("seconds") << qint64(30) << u"KİLİTLİ: 30 SN"_s;
    QTest::newRow("whole minutes") << qint64(120) << u"KİLİTLİ: 2 DK"_s;
    QTest::newRow("minutes and seconds") << qint64(845) << u"KİLİTLİ: 14 DK 5 SN"_s;
}

void TestStaffPasswords::lockMessageSaysTheTimeLeft()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, message);
    QCOMPARE(LoginLockout::message(seconds), message);
}

void TestStaffPasswords::configNeverPrintsAPassword()
{
    TestStation station;
    station.writeStationFile(u"Personel.Txt"_s, QByteArray("Ahmet Y\xfd" "lmaz\r\nVeli\r\n"));
    QVERIFY(StaffPasswords().store(Ahmet, u"4711"_s));
    WriteRegValue(u"Veli"_s, u"2468"_s); // a clear one of old
    WriteRegValue(u"FisYaz"_s, u"Fis"_s);

    QString out;
    QCOMPARE(runCommand({u"config"_s, u"list"_s}, station.stationDir(), &out), 0);
    QVERIFY2(out.contains(u"Ahmet Yılmaz=(parola)"_s), qPrintable(out));
    QVERIFY2(out.contains(u"Veli=(parola)"_s), qPrintable(out));
    QVERIFY2(out.contains(u"FisYaz=Fis"_s), qPrintable(out));
    QVERIFY(!out.contains(u"2468"_s) && !out.contains(u"argon"_s));
    QCOMPARE(runCommand({u"config"_s, u"get"_s, u"Veli"_s}, station.stationDir(), &out), 0);
    QCOMPARE(out.trimmed(), u"(parola)"_s);

    // Set from the shell, a member's password is kept as its hash too.
    QCOMPARE(runCommand({u"config"_s, u"set"_s, u"Veli"_s, u"1357"_s}, station.stationDir()), 0);
    QVERIFY(PasswordHash::matches(regText(ReadRegValue(u"Veli"_s)), u"1357"_s));
}

void TestStaffPasswords::configSetRefusesUnknownNames_data()
{
    QTest::addColumn<QStringList>("arguments"); // after "config set"
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("stored");  // "#" + digits: their hash; empty: nothing
    QTest::addColumn<QString>("journal"); // the entry's detail; empty: none
    QTest::addColumn<QString>("nearest"); // named on a refusal
    QTest::newRow("a known setting") << QStringList{u"fisyaz"_s, u"Fis"_s} << 0 << u"Fis"_s
                                     << u"fisyaz=Fis"_s << QString();
    QTest::newRow("a staff member") << QStringList{Ahmet, u"4711"_s} << 0 << u"#4711"_s
                                    << u"Ahmet Yılmaz=(parola)"_s << QString();
    QTest::newRow("a staff name without its dotless i")
        << QStringList{u"Ahmet Yilmaz"_s, u"4711"_s} << 2 << QString() << QString() << Ahmet;
    QTest::newRow("a mistyped setting") << QStringList{u"FisYz"_s, u"Fis"_s} << 2 << QString() << QString()
                                        << u"FisYaz"_s;
    QTest::newRow("a new name, asked for") << QStringList{u"--new"_s, u"Kantar"_s, u"7"_s} << 0 << u"7"_s
                                           << u"Kantar=(değer yazılmadı)"_s << QString();
}

void TestStaffPasswords::configSetRefusesUnknownNames()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, stored);
    QFETCH(QString, journal);
    QFETCH(QString, nearest);
    TestStation station;
    station.writeStationFile(u"Personel.Txt"_s, QByteArray("Ahmet Y\xfd" "lmaz\r\nVeli\r\n"));
    QString errors;
    QCOMPARE(runCommand(QStringList{u"config"_s, u"set"_s} + arguments, station.stationDir(), nullptr, &errors),
             code);
    QVERIFY2(errors.contains(nearest), qPrintable(errors));

    const QString kept = regText(ReadRegValue(arguments[arguments.size() - 2]));
    if (stored.startsWith(u'#'))
        QVERIFY(PasswordHash::matches(kept, stored.mid(1)));
    else
        QCOMPARE(kept, stored);
    QList<JournalEntry> entries;
    QVERIFY(JournalFile::read(JournalFile::path(station.stationDir()), {}, entries));
    QCOMPARE(entries.size(), journal.isEmpty() ? 0 : 1);
    if (!journal.isEmpty())
        QCOMPARE(entries[0].detail, journal);
}

void TestStaffPasswords::configTellsALockedKey()
{
    TestStation station;
    WriteRegValue(u"FisYaz"_s, u"Fis"_s);
    InterruptedWrite writer;
    QVERIFY(writer.start(StationKey::defaultPath()));
    QString out;
    QString errors;
    QCOMPARE(runCommand({u"config"_s, u"list"_s}, station.stationDir(), &out, &errors), 1);
    QVERIFY2(errors.contains(u"Ayar dosyası okunamadı: başka bir program kilitlemiş"_s), qPrintable(errors));
    QVERIFY(out.isEmpty());
}

void TestStaffPasswords::staffResetLetsTheNextEntrySetOne()
{
    TestStation station;
    QVERIFY(StaffPasswords().store(Ahmet, u"4711"_s));
    LoginLockout lockout;
    for (int i = 0; i < 6; ++i)
        lockout.recordWrong(Ahmet);
    QCOMPARE(runCommand({u"staff"_s, u"reset"_s, Ahmet}, station.stationDir()), 0);
    QCOMPARE(StaffPasswords().check(Ahmet, u"99"_s), StaffPasswords::Check::NoPassword);
    QCOMPARE(lockout.secondsLeft(Ahmet), qint64(0));
    QCOMPARE(runCommand({u"staff"_s, u"reset"_s, u"Kimse"_s}, station.stationDir()), 1);
}

QTEST_GUILESS_MAIN(TestStaffPasswords)
#include "test_staff_passwords.moc"
