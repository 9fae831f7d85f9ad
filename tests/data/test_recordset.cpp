#include "data/Criteria.h"
#include "data/StationData.h"
#include "data/StationDatabase.h"
#include "support/TestStation.h"

#include <QSqlQuery>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void insertAccounts(StationData &data, const QList<std::pair<QString, QString>> &accounts)
{
    QSqlQuery query(data.cari()->database());
    QVERIFY(query.prepare(u"INSERT INTO Cari(Kod, Unvan, Gurup) VALUES (?, ?, ?)"_s));
    int code = 1;
    for (const auto &[title, group] : accounts) {
        query.addBindValue(QString::number(code++));
        query.addBindValue(title);
        query.addBindValue(group);
        QVERIFY(query.exec());
    }
}

QStringList column(Recordset &records, int field)
{
    QStringList values;
    for (int i = 0; i < records.recordCount(); ++i)
        values << records.valueAt(i, field).toString();
    return values;
}

} // namespace

class TestRecordset : public QObject
{
    Q_OBJECT
private slots:
    void groupQueryIsSortedTheTurkishWay();
    void findFirstFollowsTheKeyboardRules();
    void emptyGroupHasNoCurrentRecord();
    void orderRowsTakeTheirDefaults();
    void deleteThenMoveKeepsTheLastRow();
    void apostropheNamesAreStoredAndFound();
    void damagedFileLeavesControlsEmpty();
};

void TestRecordset::groupQueryIsSortedTheTurkishWay()
{
    TestStation station;
    StationData data;
    data.bind(station.stationDir());
    // Groups match without regard to case the Turkish way: "I" is the capital
    // of "ı", so "MÜŞTERI" is another group, as is "MUSTERI".
    insertAccounts(data, {{u"Uzun"_s, u"Müşteri"_s}, {u"ışık"_s, u"MÜŞTERİ"_s},
                          {u"Çiğ"_s, u"Müşteri"_s}, {u"Ürün"_s, u"müşteri"_s},
                          {u"İnek"_s, u"Müşteri"_s}, {u"Dana"_s, u"Müşteri"_s},
                          {u"Yabancı"_s, u"MUSTERI"_s}, {u"Yazım"_s, u"MÜŞTERI"_s},
                          {u"Şiş"_s, u"Müşteri"_s}, {u"Isı"_s, u"MüŞteRİ"_s},
                          {u"Cam"_s, u"Müşteri"_s}, {u"Sucuk"_s, u"Müşteri"_s},
                          {u"Toptancı Ahmet"_s, u"Toptan"_s}});
    QVERIFY(RefreshDataControl(data.data1()));
    Recordset &records = *data.data1().recordset();
    QCOMPARE(records.fieldIndex(u"Unvan"_s), 1);
    QCOMPARE(column(records, 1),
             (QStringList{u"Cam"_s, u"Çiğ"_s, u"Dana"_s, u"Isı"_s, u"ışık"_s, u"İnek"_s,
                          u"Sucuk"_s, u"Şiş"_s, u"Uzun"_s, u"Ürün"_s}));
    QCOMPARE(records.absolutePosition(), 0);

    data.data1().setRecordSource(RecordSources::customersOfGroup(RecordSources::SupplierGroup));
    QVERIFY(RefreshDataControl(data.data1()));
    QCOMPARE(column(*data.data1().recordset(), 1), QStringList{u"Toptancı Ahmet"_s});

}

void TestRecordset::findFirstFollowsTheKeyboardRules()
{
    TestStation station;
    StationData data;
    data.bind(station.stationDir());
    insertAccounts(data, {{u"AYDIN ET"_s, u"Müşteri"_s}, {u"AHMET KASAP"_s, u"Müşteri"_s},
                          {u"Akın Gıda"_s, u"Müşteri"_s}, {u"IŞIK ET"_s, u"Müşteri"_s},
                          {u"İNCİ KASAP"_s, u"Müşteri"_s}});
    QVERIFY(RefreshDataControl(data.data1()));
    Recordset &records = *data.data1().recordset();

    QVERIFY(records.findFirst(Criteria::likePrefix(u"Unvan"_s, u"A*K"_s)));
    QCOMPARE(records.value(u"Unvan"_s).toString(), u"AHMET KASAP"_s);
    QVERIFY(records.findFirst(Criteria::likePrefix(u"Unvan"_s, u"ak"_s)));
    QCOMPARE(records.value(u"Unvan"_s).toString(), u"Akın Gıda"_s);
    QVERIFY(records.findFirst(Criteria::likePrefix(u"Unvan"_s, u"ı"_s)));
    QCOMPARE(records.value(u"Unvan"_s).toString(), u"IŞIK ET"_s);
    QVERIFY(records.findFirst(Criteria::likePrefix(u"Unvan"_s, u"i"_s)));
    QCOMPARE(records.value(u"Unvan"_s).toString(), u"İNCİ KASAP"_s);

    // No match: the current record stays where it was.
    QVERIFY(!records.findFirst(Criteria::likePrefix(u"Unvan"_s, u"Q"_s)));
    QVERIFY(records.noMatch());
    QCOMPARE(records.value(u"Unvan"_s).toString(), u"İNCİ KASAP"_s);

    QVERIFY(records.findFirst(Criteria::equals(u"Unvan"_s, u"aydın et"_s)));
    QCOMPARE(records.absolutePosition(), 2);

    // Searches follow the records as they change.
    QVERIFY(records.addNew());
    QVERIFY(records.setValue(u"Unvan"_s, u"Quick Et"_s));
    QVERIFY(records.update());
    QVERIFY(records.findFirst(Criteria::likePrefix(u"Unvan"_s, u"q"_s)));
    QCOMPARE(records.value(u"Unvan"_s).toString(), u"Quick Et"_s);
    QVERIFY(records.remove());
    QVERIFY(!records.findFirst(Criteria::likePrefix(u"Unvan"_s, u"Q"_s)));
    QVERIFY(records.findFirst(Criteria::likePrefix(u"Unvan"_s, u"*KASAP"_s)));
    QCOMPARE(records.value(u"Unvan"_s).toString(), u"AHMET KASAP"_s);
}

void TestRecordset::emptyGroupHasNoCurrentRecord()
{
    TestStation station;
    StationData data;
    data.bind(station.stationDir());
    QVERIFY(RefreshDataControl(data.data1()));
    Recordset &records = *data.data1().recordset();
    QCOMPARE(records.recordCount(), 0);
    QVERIFY(records.isBOF() && records.isEOF());
    QCOMPARE(records.absolutePosition(), -1);
    QVERIFY(!records.value(1).isValid());
    QVERIFY(!records.moveNext());
}

void TestRecordset::orderRowsTakeTheirDefaults()
{
    TestStation station;
    StationData data;
    data.bind(station.stationDir());
    QVERIFY(RefreshDataControl(data.data3()));
    Recordset &rows = *data.data3().recordset();
    QCOMPARE(rows.fieldNames(), (QStringList{u"Ürün"_s, u"Kilo"_s, u"Barkod"_s, u"Tamam"_s}));

    QVERIFY(rows.addNew());
    QCOMPARE(rows.value(1).toDouble(), 0.0); // the finishing step adds to this
    QVERIFY(rows.setValue(0, u"Dana Kuşbaşı"_s));
    QVERIFY(rows.setValue(1, rows.value(1).toDouble() + 3.75));
    QVERIFY(rows.setValue(2, u"2000001"_s));
    QVERIFY(rows.update());
    QVERIFY(RefreshDataControl(data.data3()));
    QCOMPARE(rows.recordCount(), 1);
    QCOMPARE(rows.value(u"Kilo"_s).toDouble(), 3.75);
    QCOMPARE(rows.value(u"Tamam"_s).toInt(), 1);

    QVERIFY(rows.edit());
    QVERIFY(rows.setValue(u"Tamam"_s, 0));
    QVERIFY(rows.update());
    QSqlQuery check(data.tavran()->database());
    QVERIFY(check.exec(u"SELECT Tamam FROM Tart"_s) && check.next());
    QCOMPARE(check.value(0).toInt(), 0);
}

void TestRecordset::deleteThenMoveKeepsTheLastRow()
{
    TestStation station;
    StationData data;
    data.bind(station.stationDir());
    QVERIFY(RefreshDataControl(data.data3()));
    Recordset &rows = *data.data3().recordset();
    for (const QString &name : {u"A"_s, u"B"_s, u"C"_s}) {
        QVERIFY(rows.addNew());
        QVERIFY(rows.setValue(0, name));
        QVERIFY(rows.update());
    }
    QVERIFY(RefreshDataControl(data.data3()));
    QSignalSpy moves(&data.data3(), &DataControl::repositioned);
    QVERIFY(rows.moveLast());
    QVERIFY(rows.remove());
    QVERIFY(!rows.hasCurrent());
    rows.moveNext();
    QVERIFY(rows.isEOF());
    QVERIFY(rows.movePrevious());
    QCOMPARE(rows.value(0).toString(), u"B"_s);
    QVERIFY(moves.count() >= 3);

    QVERIFY(rows.moveFirst());
    QVERIFY(rows.remove());
    QVERIFY(rows.moveNext());
    QCOMPARE(rows.value(0).toString(), u"B"_s);

    QVERIFY(data.deleteAllRows(data.data3()));
    QCOMPARE(data.data3().recordset()->recordCount(), 0);
}

void TestRecordset::apostropheNamesAreStoredAndFound()
{
    TestStation station;
    StationData data;
    data.bind(station.stationDir());
    insertAccounts(data, {{u"Ali'nin Kasabı"_s, u"Müşteri"_s}, {u"Alim Et"_s, u"Müşteri"_s}});
    QVERIFY(RefreshDataControl(data.data1()));
    Recordset &records = *data.data1().recordset();
    QVERIFY(records.moveLast());
    QVERIFY(records.findFirst(Criteria::likePrefix(u"Unvan"_s, u"ali'"_s)));
    QCOMPARE(records.value(1).toString(), u"Ali'nin Kasabı"_s);
    QVERIFY(records.findFirst(Criteria::equals(u"Unvan"_s, u"Ali'nin Kasabı"_s)));
}

void TestRecordset::damagedFileLeavesControlsEmpty()
{
    TestStation station;
    station.writeStationFile(u"Cari.db"_s, QByteArray(4096, 'x'));
    StationData data;
    data.bind(station.stationDir());
    QVERIFY(!RefreshDataControl(data.data1()));
    QVERIFY(!data.data1().recordset());
    QVERIFY(RefreshDataControl(data.data4())); // the other files still work
    QFile damaged(station.stationDir() + u"/Cari.db"_s);
    QVERIFY(damaged.open(QIODevice::ReadOnly));
    QCOMPARE(damaged.readAll(), QByteArray(4096, 'x')); // never overwritten
}

QTEST_GUILESS_MAIN(TestRecordset)
#include "test_recordset.moc"
