#include "station/SettingsStore.h"
#include "support/TestStation.h"

#include <QFileInfo>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSettingsStore : public QObject
{
    Q_OBJECT
private slots:
    void readingNeverCreatesTheStore();
    void storedTextsReadBackAsStored_data();
    void storedTextsReadBackAsStored();
    void namesIgnoreLetterCase();
    void writeReplacesTheValue();
    void conversionsOfAReadValue();
    void appSettingsSurviveARestart();
    void stationKeyIsTheOwnersAlone();
};

void TestSettingsStore::readingNeverCreatesTheStore()
{
    TestStation station;
    QVERIFY(!QFileInfo::exists(StationKey::defaultPath()));
    QVERIFY(!ReadRegValue(u"Tart0"_s).has_value());
    QVERIFY(StationKey().names().isEmpty());
    QVERIFY(!QFileInfo::exists(StationKey::defaultPath()));

    WriteRegValue(u"Tart0"_s, u"True"_s);
    QVERIFY(QFileInfo::exists(StationKey::defaultPath()));
    QVERIFY(StationKey::defaultPath().startsWith(station.configHome() + u"/ZazivEd/"_s));
}

void TestSettingsStore::storedTextsReadBackAsStored_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("hasValue");
    QTest::addColumn<QString>("text");
    QTest::newRow("text") << 1 << QByteArray("Etiket") << true << u"Etiket"_s;
    QTest::newRow("turkish text") << 1 << u"Ayşe Işık"_s.toUtf8() << true << u"Ayşe Işık"_s;
    QTest::newRow("embedded NUL ends the text") << 1 << QByteArray("12\0" "34", 5) << true << u"12"_s;
    QTest::newRow("zero length is an empty text") << 1 << QByteArray() << true << QString();
    QTest::newRow("a DWORD is no value") << 4 << QByteArray("\x01\0\0\0", 4) << false << QString();
    QTest::newRow("another type is no value") << 3 << QByteArray("abc") << false << QString();
}

void TestSettingsStore::storedTextsReadBackAsStored()
{
    QFETCH(int, type);
    QFETCH(QByteArray, data);
    QFETCH(bool, hasValue);
    QFETCH(QString, text);
    TestStation station;
    QVERIFY(StationKey().writeRaw(u"Value"_s, type, data));
    const auto value = ReadRegValue(u"Value"_s);
    QCOMPARE(value.has_value(), hasValue);
    if (hasValue) {
        QCOMPARE(*value, text);
        QCOMPARE(value->isNull(), false); // an empty text, not "no value"
    }
}

void TestSettingsStore::namesIgnoreLetterCase()
{
    TestStation station;
    WriteRegValue(u"PktYaz"_s, u"Etiket"_s);
    QCOMPARE(regText(ReadRegValue(u"PKTYAZ"_s)), u"Etiket"_s);
    WriteRegValue(u"pktyaz"_s, u"Fis"_s);
    QCOMPARE(StationKey().names().size(), 1);
    QCOMPARE(regText(ReadRegValue(u"PktYaz"_s)), u"Fis"_s);
}

void TestSettingsStore::writeReplacesTheValue()
{
    TestStation station;
    QVERIFY(StationKey().writeRaw(u"Tart1"_s, StationKey::DWord, QByteArray(4, '\0')));
    QVERIFY(!ReadRegValue(u"Tart1"_s));
    WriteRegValue(u"Tart1"_s, u"True"_s);
    QCOMPARE(regText(ReadRegValue(u"Tart1"_s)), u"True"_s);
}

void TestSettingsStore::conversionsOfAReadValue()
{
    QCOMPARE(regText(std::nullopt), QString());
    QCOMPARE(regBool(std::nullopt), false);
    QCOMPARE(regBool(u"True"_s), true);
    QCOMPARE(regBool(u"False"_s), false);
}

void TestSettingsStore::appSettingsSurviveARestart()
{
    TestStation station;
    QCOMPARE(GetAppSetting(u"Properties"_s, u"PktYaz"_s, u"0"_s), u"0"_s);
    SaveAppSetting(u"Properties"_s, u"PktYaz"_s, u"1"_s);
    QVERIFY(QFileInfo::exists(station.configHome() + u"/Tavran/Tavran.ini"_s));
    QCOMPARE(GetAppSetting(u"Properties"_s, u"PktYaz"_s, u"0"_s), u"1"_s);
    // The two stores are separate: the station key has no PktYaz.
    QVERIFY(!ReadRegValue(u"PktYaz"_s));
}

void TestSettingsStore::stationKeyIsTheOwnersAlone()
{
    TestStation station;
    const QString file = StationKey::defaultPath();
    const QString folder = QFileInfo(file).absolutePath();
    const auto mode = [](const QString &path) {
        return QFileInfo(path).permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                               | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther
                                               | QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    const QFile::Permissions ownerFile = QFile::ReadOwner | QFile::WriteOwner;
    const QFile::Permissions ownerFolder = ownerFile | QFile::ExeOwner;

    WriteRegValue(u"Tart0"_s, u"True"_s);
    QCOMPARE(mode(folder), ownerFolder);
    QCOMPARE(mode(file), ownerFile);

    // Left readable by an older station: narrowed as soon as it is read.
    const QFile::Permissions everyone = QFile::ReadGroup | QFile::ReadOther;
    QVERIFY(QFile::setPermissions(folder, ownerFolder | everyone | QFile::ExeGroup | QFile::ExeOther));
    QVERIFY(QFile::setPermissions(file, ownerFile | everyone));
    QCOMPARE(regText(ReadRegValue(u"Tart0"_s)), u"True"_s);
    QCOMPARE(mode(folder), ownerFolder);
    QCOMPARE(mode(file), ownerFile);
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"
