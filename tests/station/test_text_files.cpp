#include "station/GridLayoutFile.h"
#include "station/SequentialInput.h"
#include "station/StationTextFiles.h"
#include "station/Windows1254.h"
#include "support/TestStation.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

class TestTextFiles : public QObject
{
    Q_OBJECT
private slots:
    void sequentialFields_data();
    void sequentialFields();
    void windows1254Letters();
    void stationFilesKeepPlacesAndDropEmptyNames();
    void utf8FileIsReadAsUtf8();
    void layoutFileRoundTrip();
    void headingPaddingNeverAccumulates();
};

void TestTextFiles::sequentialFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("lines") << u"Ahmet\r\nAyşe\r\n"_s << QStringList{u"Ahmet"_s, u"Ayşe"_s};
    QTest::newRow("comma splits") << u"A, B\r\n"_s << QStringList{u"A"_s, u"B"_s};
    QTest::newRow("quotes keep commas") << u"\"Yılmaz, Ahmet\",Ayşe\r\n"_s
                                        << QStringList{u"Yılmaz, Ahmet"_s, u"Ayşe"_s};
    QTest::newRow("blanks around dropped") << u"  Ali  \r\n"_s << QStringList{u"Ali"_s};
    QTest::newRow("quoted blanks kept") << u"\"  Ali  \"\r\n"_s << QStringList{u"  Ali  "_s};
    QTest::newRow("bare LF and no final line end") << u"A\nB"_s << QStringList{u"A"_s, u"B"_s};
    QTest::newRow("empty line is an empty field") << u"A\r\n\r\nB\r\n"_s
                                                  << QStringList{u"A"_s, QString(), u"B"_s};
    QTest::newRow("blank-only line is an empty field") << u"A\n  \nB"_s
                                                       << QStringList{u"A"_s, QString(), u"B"_s};
    QTest::newRow("empty first line") << u"\r\nA\r\n"_s << QStringList{QString(), u"A"_s};
    QTest::newRow("quoted field, then a line end") << u"\"A, B\"\r\n\r\nC"_s
                                                   << QStringList{u"A, B"_s, QString(), u"C"_s};
    QTest::newRow("trailing comma gives empty field") << u"A,\r\nB"_s
                                                      << QStringList{u"A"_s, QString(), u"B"_s};
}

void TestTextFiles::sequentialFields()
{
    QFETCH(QString, text);
    QFETCH(QStringList, fields);
    QCOMPARE(SequentialInput::fields(text), fields);
}

void TestTextFiles::windows1254Letters()
{
    const QByteArray bytes("\xDDnek \xFD\xFE\xFDk \xD0\xF0 \xDE\xFE \xC7\xE7\xD6\xF6\xDC\xFC");
    QCOMPARE(Windows1254::decode(bytes), u"İnek ışık Ğğ Şş ÇçÖöÜü"_s);
    QCOMPARE(Windows1254::encode(u"İnek ışık Ğğ Şş ÇçÖöÜü"_s), bytes);
    QCOMPARE(Windows1254::decodeTextFile(bytes), u"İnek ışık Ğğ Şş ÇçÖöÜü"_s);

    TestStation station;
    station.writeStationFile(u"Personel.Txt"_s, "\"Y\xFDlmaz, Ahmet\"\r\n\xDDsmail \xC7" "elik\r\n");
    bool ok = false;
    QCOMPARE(SequentialInput::readFile(station.stationDir() + u"/Personel.Txt"_s, &ok),
             (QStringList{u"Yılmaz, Ahmet"_s, u"İsmail Çelik"_s}));
    QVERIFY(ok);
    SequentialInput::readFile(station.stationDir() + u"/Missing.Txt"_s, &ok);
    QVERIFY(!ok);
}

void TestTextFiles::stationFilesKeepPlacesAndDropEmptyNames()
{
    TestStation station;
    station.writeStationFile(u"Tavran.Txt"_s, "KORVEL ET\r\nAnkara\r\n\r\n\r\n\r\n\r\nTR 06-0123\r\n10\r\n");
    const auto lines = StationTextFiles::readHeaderLines(station.stationDir());
    QCOMPARE(lines[1], u"Ankara"_s);
    QCOMPARE(lines[4], QString());
    QCOMPARE(lines[6], u"TR 06-0123"_s);
    QCOMPARE(lines[7], u"10"_s);

    station.writeStationFile(u"Personel.Txt"_s, "Ahmet,\r\n\r\n , Ay\xfe" "e\r\n,\r\n\r\n");
    QCOMPARE(StationTextFiles::readStaff(station.stationDir()), (QStringList{u"Ahmet"_s, u"Ayşe"_s}));
}

void TestTextFiles::utf8FileIsReadAsUtf8()
{
    QCOMPARE(Windows1254::decodeTextFile(u"Işık Kasap"_s.toUtf8()), u"Işık Kasap"_s);
}

void TestTextFiles::layoutFileRoundTrip()
{
    TestStation station;
    const QString path = station.stationDir() + u"/DBGrid1.Dat"_s;
    QVERIFY(GridLayoutFile::write(path, {{3200.5, true}, {1800, false}}));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("3200.5,#TRUE#\r\n1800,#FALSE#\r\n"));
    const auto columns = GridLayoutFile::read(path);
    QVERIFY(columns);
    QCOMPARE(columns->size(), 2);
    QCOMPARE(columns->at(0).width, 3200.5);
    QVERIFY(columns->at(0).visible);
    QVERIFY(!columns->at(1).visible);
    QVERIFY(!GridLayoutFile::read(station.stationDir() + u"/DBGrid2.Dat"_s));
}

void TestTextFiles::headingPaddingNeverAccumulates()
{
    const auto width = [](const QString &text) { return text.size() * 100.0; };
    const QString once = GridLayoutFile::centredHeading(u"Kilo"_s, 1200, GridLayoutFile::Alignment::Left, width);
    QCOMPARE(once, u"    Kilo"_s); // (1200 - 400) / 2 / 100 blanks
    QCOMPARE(GridLayoutFile::centredHeading(once, 1200, GridLayoutFile::Alignment::Left, width), once);
    QCOMPARE(GridLayoutFile::centredHeading(u"Kilo"_s, 1200, GridLayoutFile::Alignment::Right, width),
             u"Kilo    "_s);
    QCOMPARE(GridLayoutFile::centredHeading(u"  Ürün  "_s, 300, GridLayoutFile::Alignment::Left, width),
             u"Ürün"_s);
}

QTEST_GUILESS_MAIN(TestTextFiles)
#include "test_text_files.moc"
