#include "station/Windows1254.h"
#include "scale/ScaleCapacity.h"
#include "scale/ScaleFormat.h"
#include "scale/ScalePoll.h"
#include "scale/ScaleReader.h"
#include "scale/ScaleLineAssembler.h"
#include "scale/ScaleReading.h"
#include "scale/SerialSettings.h"
#include "scale/StabilityRule.h"
#include "scale/TerminalText.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestScaleText : public QObject
{
    Q_OBJECT
private slots:
    void parsesReadings_data();
    void parsesReadings();
    void readsEveryFormat_data();
    void readsEveryFormat();
    void picksThePackageWeight_data();
    void picksThePackageWeight();
    void stableRuleNeedsASettledRun();
    void pollSettings_data();
    void pollSettings();
    void onlyPlausibleWeightsAreAddable_data();
    void onlyPlausibleWeightsAreAddable();
    void terminalAppends_data();
    void terminalAppends();
    void terminalCutsLongText();
    void terminalStaysBoundedOnFloods();
    void assemblesLines_data();
    void assemblesLines();
    void quietGapTakesUnendedText();
    void overlongTextIsBounded();
    void serialSettings_data();
    void serialSettings();
    void decodesTurkishCodePage();
};

void TestScaleText::parsesReadings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("scale text") << u"+0012.345 kg"_s << u"12,345"_s;
    QTest::newRow("negative") << u"-0.5 kg"_s << u"-0,500"_s;
    QTest::newRow("whole") << u"12 kg"_s << u"12,000"_s;
    QTest::newRow("zero") << u"+0000.000 kg"_s << u"0,000"_s;
    QTest::newRow("no blank") << u"12.345"_s << QString();
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("leading blank") << u"  12.345 kg"_s << u" "_s;
    QTest::newRow("not a number") << u"ERR kg"_s << u"ERR "_s;
    QTest::newRow("two points") << u"1.2.3 kg"_s << u"1,2,3 "_s;
    QTest::newRow("first reading of two") << u"12.345 kg\r\n13.000 kg\r\n"_s << u"12,345"_s;
    // Formatting would invent the digits of a number this long.
    QTest::newRow("huge") << u"+100000000000000000000.000 kg"_s << u"100000000000000000000,000"_s;
    QTest::newRow("overflowing") << u"1"_s + QString(400, u'0') + u" kg"_s
                                 << u"1"_s + QString(400, u'0') + u" "_s;
}

using State = WeightReading::State;

void TestScaleText::readsEveryFormat_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("display"); // null: the caption is kept
    QTest::addColumn<State>("state");
    QTest::newRow("classic") << u"classic"_s << u"+0012.345 kg"_s << u"12,345"_s << State::Unreported;
    QTest::newRow("classic takes st-gs text as it is")
        << u"classic"_s << u"ST,GS,+0001.250kg"_s << QString(u""_s) << State::Unreported;
    QTest::newRow("st-gs stable") << u"st-gs"_s << u"ST,GS,+0001.250kg"_s << u"1,250"_s << State::Stable;
    QTest::newRow("st-gs moving net") << u"st-gs"_s << u"US,NT,-0000.120kg"_s << u"-0,120"_s << State::Moving;
    QTest::newRow("st-gs grams") << u"st-gs"_s << u"ST,GS,+001250 g"_s << u"1,250"_s << State::Stable;
    QTest::newRow("st-gs blanks after sign") << u"st-gs"_s << u"ST,GS,+   1.25 kg"_s << u"1,250"_s
                                             << State::Stable;
    QTest::newRow("st-gs out of range") << u"st-gs"_s << u"OL,GS,+9999.999kg"_s << u"9999,999"_s
                                        << State::OutOfRange;
    QTest::newRow("st-gs other text") << u"st-gs"_s << u"+0012.345 kg"_s << u"+0012.345 kg"_s
                                      << State::OutOfRange;
    QTest::newRow("st-gs pound") << u"st-gs"_s << u"ST,GS,+0002.000lb"_s << u"2,000 lb"_s
                                 << State::Stable;
    QTest::newRow("st-gs text after the unit") << u"st-gs"_s << u"ST,GS,+0002.000kg x"_s
                                               << u"ST,GS,+0002.000kg x"_s << State::Stable;
    QTest::newRow("classic right-aligned") << u"classic"_s << u"   1.234 kg"_s << u"1,234"_s << State::Unreported;
    QTest::newRow("classic blanks after sign") << u"classic"_s << u"-   0.5 kg"_s << u"-0,500"_s << State::Unreported;
    QTest::newRow("classic no unit") << u"classic"_s << u"12.345"_s << u"12,345"_s << State::Unreported;
    QTest::newRow("classic two points") << u"classic"_s << u"1.2.3 kg"_s << u"1,2,3 "_s << State::Unreported;
    QTest::newRow("classic grams") << u"classic"_s << u"1250 g"_s << u"1,250"_s << State::Unreported;
    QTest::newRow("classic ounces") << u"classic"_s << u"   12.5 oz"_s << u"12,500 oz"_s << State::Unreported;
    QTest::newRow("sics pounds") << u"sics"_s << u"S S     2.720 lb"_s << u"2,720 lb"_s << State::Stable;
    QTest::newRow("sics stable") << u"sics"_s << u"S S     1.250 kg"_s << u"1,250"_s << State::Stable;
    QTest::newRow("sics dynamic") << u"sics"_s << u"S D    -0.500 kg"_s << u"-0,500"_s << State::Moving;
    QTest::newRow("sics grams") << u"sics"_s << u"S S   1250 g"_s << u"1,250"_s << State::Stable;
    QTest::newRow("sics overload") << u"sics"_s << u"S +"_s << u"S +"_s << State::OutOfRange;
    QTest::newRow("sics underload") << u"sics"_s << u"S -"_s << u"S -"_s << State::OutOfRange;
    QTest::newRow("sics busy") << u"sics"_s << u"S I"_s << QString() << State::Moving;
    QTest::newRow("auto st-gs") << u"auto"_s << u"US,GS,+0001.000kg"_s << u"1,000"_s << State::Moving;
    QTest::newRow("auto sics") << u"auto"_s << u"S S      2.5 kg"_s << u"2,500"_s << State::Stable;
    QTest::newRow("auto classic") << u"auto"_s << u"+0012.345 kg"_s << u"12,345"_s << State::Unreported;
    QTest::newRow("auto negative classic") << u"auto"_s << u"-0.5 kg"_s << u"-0,500"_s << State::Unreported;
    QTest::newRow("auto, S then a number is classic")
        << u"auto"_s << u"S 12.0 kg"_s << u"S "_s << State::Unreported;
}

void TestScaleText::readsEveryFormat()
{
    QFETCH(QString, format);
    QFETCH(QString, text);
    QFETCH(QString, display);
    QFETCH(State, state);
    const auto parsed = scaleFormatFromName(format);
    QVERIFY(parsed);
    QCOMPARE(scaleFormatName(*parsed), format);
    const WeightReading reading = ReadScaleText(text, *parsed);
    QCOMPARE(reading.display, display);
    QCOMPARE(reading.display.isNull(), display.isNull());
    QCOMPARE(reading.state, state);
}

void TestScaleText::picksThePackageWeight_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("arrivals"); // readings joined by "|"
    QTest::addColumn<int>("stepMs");          // between arrivals
    QTest::addColumn<QStringList>("shown");   // per arrival, "-" for none
    QTest::newRow("a tare is no package") << u"st-gs"_s << QStringList{u"ST,TR,+0000.500kg"_s} << 100 << QStringList{u"-"_s};
    QTest::newRow("gross of an indicator without net lines") << u"auto"_s
        << QStringList{u"ST,GS,+0010.000kg"_s, u"ST,TR,+0000.000kg|ST,GS,+0011.000kg"_s} << 100
        << QStringList{u"10,000"_s, u"11,000"_s};
    const QStringList netThenGross{u"ST,NT,+0009.500kg"_s, u"ST,GS,+0010.000kg"_s};
    QTest::newRow("gross split from its net") << u"st-gs"_s << netThenGross << 100 << QStringList{u"9,500"_s, u"-"_s};
    QTest::newRow("gross again once net lines stop") << u"st-gs"_s << netThenGross << int(ScaleReader::NetMemoryMs)
                                                     << QStringList{u"9,500"_s, u"10,000"_s};
    QTest::newRow("classic: first of an arrival") << u"classic"_s << QStringList{u"+0012.345 kg|+0099.000 kg"_s}
                                                  << 100 << QStringList{u"12,345"_s};
}

void TestScaleText::picksThePackageWeight()
{
    QFETCH(QString, format);
    QFETCH(QStringList, arrivals);
    QFETCH(int, stepMs);
    QFETCH(QStringList, shown);
    ScaleReader reader;
    reader.setFormat(scaleFormatFromName(format).value());
    for (qsizetype i = 0; i < arrivals.size(); ++i) {
        const auto reading = reader.read(arrivals[i].split(u'|'), i * stepMs);
        QCOMPARE(reading ? reading->display : u"-"_s, shown[i]);
    }
}

void TestScaleText::stableRuleNeedsASettledRun()
{
    StabilityRule rule(500, 0.010);
    QVERIFY(rule.add(0, 5.0) == false); // nothing seen for 500 ms yet
    QVERIFY(!rule.add(300, 5.004));
    QVERIFY(rule.add(500, 5.008));      // 0..500 ms within 10 g
    QVERIFY(!rule.add(600, 5.030));     // a jump
    QVERIFY(!rule.add(1000, 5.031));    // the jump is still inside the window
    QVERIFY(rule.add(1100, 5.032));     // 600..1100 settled
    rule.clear();
    QVERIFY(!rule.add(1200, 5.032));
    QVERIFY(StabilityRule().add(0, 1.0)); // off: every weight is stable
}

void TestScaleText::pollSettings_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<int>("interval"); // 0: refused
    QTest::addColumn<QByteArray>("request");
    QTest::newRow("sics") << u"500 SI\\r\\n"_s << 500 << QByteArray("SI\r\n");
    QTest::newRow("backslash") << u"250 W\\\\"_s << 250 << QByteArray("W\\");
    QTest::newRow("plain") << u" 1000 P "_s << 1000 << QByteArray("P");
    QTest::newRow("no request") << u"500"_s << 0 << QByteArray();
    QTest::newRow("too fast") << u"5 SI"_s << 0 << QByteArray();
    QTest::newRow("no interval") << u"SI\\r\\n"_s << 0 << QByteArray();
    QTest::newRow("empty") << QString() << 0 << QByteArray();
}

void TestScaleText::pollSettings()
{
    QFETCH(QString, setting);
    QFETCH(int, interval);
    QFETCH(QByteArray, request);
    const auto poll = ScalePoll::parse(setting);
    QCOMPARE(poll.has_value(), interval > 0);
    if (poll) {
        QCOMPARE(poll->intervalMs, interval);
        QCOMPARE(poll->request, request);
    }
}

void TestScaleText::onlyPlausibleWeightsAreAddable_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("addable");
    QTest::newRow("weight") << u"12,345 Kg "_s << true;
    QTest::newRow("negative") << u"-0,500 Kg "_s << true;
    QTest::newRow("at capacity") << u"3000,000 Kg "_s << true;
    QTest::newRow("over capacity") << u"3000,001 Kg "_s << false;
    QTest::newRow("negative over capacity") << u"-3000,001 Kg "_s << false;
    QTest::newRow("zero") << u"0,000 Kg "_s << false;
    QTest::newRow("huge") << ParseScaleReading(u"+100000000000000000000.000 kg"_s) + u" Kg "_s << false;
    QTest::newRow("overflowing") << ParseScaleReading(u"9"_s + QString(400, u'9') + u" kg"_s) + u" Kg "_s << false;
    QTest::newRow("no number") << u"ERR  Kg "_s << false;
    QTest::newRow("no scale") << u"Terazi yok"_s << false;
}

void TestScaleText::onlyPlausibleWeightsAreAddable()
{
    QFETCH(QString, caption);
    QFETCH(bool, addable);
    QCOMPARE(ScaleCapacity::isAddable(caption, ScaleCapacity::DefaultMaxKg), addable);
}

void TestScaleText::parsesReadings()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(ParseScaleReading(text), expected);
}

void TestScaleText::terminalAppends_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("after");
    const QString bs(QChar(8));
    QTest::newRow("backspace inside") << u"x"_s << u"AB"_s + bs + u"C"_s << u"xAC"_s;
    QTest::newRow("leading backspace") << u"xyz"_s << bs + u"Q"_s << u"xyQ"_s;
    QTest::newRow("leading backspace alone") << u"xyz"_s << bs << u"xy"_s;
    QTest::newRow("two leading backspaces") << u"xyz"_s << bs + bs << u"xy"_s;
    QTest::newRow("backspace into empty box") << QString() << bs + u"a"_s << u"a"_s;
    QTest::newRow("backspaces eat more than added") << u"ab"_s << u"c"_s + bs + bs << u"a"_s;
    QTest::newRow("cr lf") << QString() << u"x\r\n"_s << u"x\r\n"_s;
    QTest::newRow("bare lf") << u"a"_s << u"b\nc"_s << u"abc"_s;
    QTest::newRow("bare cr") << QString() << u"a\rb"_s << u"a\r\nb"_s;
    QTest::newRow("cr split from lf") << u"x\r\n"_s << u"\ny"_s << u"x\r\ny"_s;
    QTest::newRow("backspace takes a cr") << QString() << u"a\r"_s + bs + u"b"_s << u"ab"_s;
}

void TestScaleText::terminalAppends()
{
    QFETCH(QString, before);
    QFETCH(QString, data);
    QFETCH(QString, after);
    TerminalText terminal;
    terminal.setText(before);
    terminal.append(data);
    QCOMPARE(terminal.text(), after);
    QCOMPARE(terminal.selectionStart(), after.size());
    QCOMPARE(terminal.selectionLength(), 0);
}

void TestScaleText::terminalCutsLongText()
{
    QString text;
    for (int i = 0; i < 16001; ++i)
        text += QChar(u'a' + i % 26);
    TerminalText terminal;
    terminal.setText(text);
    terminal.append(u"!"_s);
    QCOMPARE(terminal.text().size(), 14978 + 1);
    QCOMPARE(terminal.text(), text.mid(1023) + u'!');

    terminal.setText(text.left(16000));
    terminal.append(u"!"_s);
    QCOMPARE(terminal.text().size(), 16001);
}

void TestScaleText::terminalStaysBoundedOnFloods()
{
    TerminalText terminal;
    const QString megabyte(1 << 20, u'z');
    for (int i = 0; i < 3; ++i) {
        terminal.append(megabyte);
        QVERIFY(terminal.text().size() <= 2 * TerminalText::CutThreshold);
    }
}

void TestScaleText::assemblesLines_data()
{
    QTest::addColumn<QByteArrayList>("arrivals");
    // One entry per arrival: its readings joined by "|", "-" for none.
    QTest::addColumn<QStringList>("readings");
    QTest::newRow("whole") << QByteArrayList{"+0012.345 kg\r\n"} << QStringList{u"+0012.345 kg"_s};
    QTest::newRow("split") << QByteArrayList{"+0012.3", "45 kg\r\n"}
                           << QStringList{u"-"_s, u"+0012.345 kg"_s};
    QTest::newRow("split before lf") << QByteArrayList{"+0012.345 kg\r", "\n+0013.000 kg\r\n"}
                                     << QStringList{u"+0012.345 kg"_s, u"+0013.000 kg"_s};
    QTest::newRow("two in one") << QByteArrayList{"12.345 kg\r\n13.000 kg\r\n"}
                                << QStringList{u"12.345 kg|13.000 kg"_s};
    QTest::newRow("stx etx frames, a check byte between")
        << QByteArrayList{"\x02ST,GS,+0003.000kg\x03\x7f\x02ST,NT,+0002.500kg\x03"}
        << QStringList{u"ST,GS,+0003.000kg|ST,NT,+0002.500kg"_s};
    QTest::newRow("control bytes are noise")
        << QByteArrayList{QByteArray("+0001.0\0" "00 kg\r\n+0002.000 kg\r\n", 29)}
        << QStringList{u"+0002.000 kg"_s};
    // A scale whose line ends stop, or noise that held one, is read as one
    // that sends none once its readings run on.
    QTest::newRow("line ends stop")
        << QByteArrayList{"+0001.000 kg\r\n", "+0003.000 kg+0003.000 kg+0003.100 kg+0003.200 kg+"}
        << QStringList{u"+0001.000 kg"_s, u"+0003.200 kg"_s};
    QTest::newRow("noise with line ends, then readings")
        << QByteArrayList{"\x01\x9c\r7\x02\x05 \xff\n\x10 9", "+0003.000 kg+0003.000 kg+0003.000 kg+0003.000 kg+"}
        << QStringList{u"-"_s, u"+0003.000 kg"_s};
    QTest::newRow("sics lines are no run of readings")
        << QByteArrayList{"S S     1.250 kg\r\nS D    -0.500 kg\r\n"}
        << QStringList{u"S S     1.250 kg|S D    -0.500 kg"_s};
    QTest::newRow("tail kept for next")
        << QByteArrayList{"12.345 kg\r\n13.0", "00 kg\r\n"}
        << QStringList{u"12.345 kg"_s, u"13.000 kg"_s};
    QTest::newRow("line ends only") << QByteArrayList{"\r\n\r\n"} << QStringList{u"-"_s};

    // Without line ends a reading is complete when the next one starts; the
    // newest complete one of an arrival counts.
    QTest::newRow("unended, newest of an arrival")
        << QByteArrayList{"+0002.000 kg", "+0003.000 kg+0003.001 kg+0003.002 kg"}
        << QStringList{u"-"_s, u"+0003.001 kg"_s};
    QTest::newRow("unended, split inside numbers")
        << QByteArrayList{"+0012.3", "45 kg+0012.", "350 kg-"}
        << QStringList{u"-"_s, u"+0012.345 kg"_s, u"+0012.350 kg"_s};
    QTest::newRow("unended, no unit") << QByteArrayList{"12.345 13.000 14"}
                                      << QStringList{u"13.000 "_s};
    // Overlong text is dropped with all that follows it up to the next
    // boundary: never glued to a real reading.
    QTest::newRow("overlong line")
        << QByteArrayList{QByteArray(5000, '1'), "+0003.250 kg\r\n", "+0003.300 kg\r\n"}
        << QStringList{u"-"_s, u"-"_s, u"+0003.300 kg"_s};
    QTest::newRow("overlong line after readings")
        << QByteArrayList{"+0001.000 kg\r\n" + QByteArray(5000, '7'), "+0003.250 kg\r\n+0003.300 kg\r\n"}
        << QStringList{u"+0001.000 kg"_s, u"+0003.300 kg"_s};
    QTest::newRow("overlong unended reading")
        << QByteArrayList{QByteArray(5000, '7') + "+0003.250 kg+0003.300 kg+"}
        << QStringList{u"+0003.300 kg"_s};
}

void TestScaleText::assemblesLines()
{
    QFETCH(QByteArrayList, arrivals);
    QFETCH(QStringList, readings);
    ScaleLineAssembler assembler;
    for (qsizetype i = 0; i < arrivals.size(); ++i) {
        const QStringList read = assembler.feed(arrivals[i]);
        QCOMPARE(read.isEmpty() ? u"-"_s : read.join(u'|'), readings[i]);
    }
}

void TestScaleText::quietGapTakesUnendedText()
{
    ScaleLineAssembler assembler;
    QVERIFY(assembler.feed("+0012.345 kg").isEmpty());
    QVERIFY(!assembler.sawLineEnd());
    QCOMPARE(assembler.takePending().value_or(QString()), u"+0012.345 kg"_s);
    QVERIFY(!assembler.takePending());

    // Before its blank a reading is no number yet; a taken head's line end
    // does not make a second reading of the tail.
    QVERIFY(assembler.feed("+0012.3").isEmpty());
    QVERIFY(!assembler.takePending());
    QVERIFY(assembler.feed("45 k").isEmpty());
    QCOMPARE(assembler.takePending().value_or(QString()), u"+0012.345 k"_s);
    QVERIFY(assembler.feed("g\r\n").isEmpty());
    QCOMPARE(assembler.feed("+0001.000 kg\r\n").value(0), u"+0001.000 kg"_s);

    // A scale that ends its lines never has a half reading taken early.
    QVERIFY(!assembler.feed("1 kg\r\n").isEmpty());
    QVERIFY(assembler.feed("+0012.3").isEmpty());
    QVERIFY(assembler.sawLineEnd());
    assembler.reset();
    QVERIFY(!assembler.sawLineEnd());
    QVERIFY(!assembler.hasPending());

    // A port opened in the middle of a reading drops its tail.
    assembler.resetMidStream();
    QVERIFY(assembler.feed("45 kg\r\n+0012.345 kg").isEmpty());
    QCOMPARE(assembler.feed("\r\n").value(0), u"+0012.345 kg"_s);
    assembler.resetMidStream();
    QVERIFY(assembler.feed("45 kg+0012.345 kg").isEmpty());
    QCOMPARE(assembler.feed("+").value(0), u"+0012.345 kg"_s);
}

void TestScaleText::overlongTextIsBounded()
{
    ScaleLineAssembler assembler;
    QByteArray binary(1 << 20, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char(i % 256 == '\r' || i % 256 == '\n' ? 'x' : i % 256);
    QVERIFY(assembler.feed(binary).isEmpty());
    QVERIFY(assembler.pendingSize() <= ScaleLineAssembler::MaxPending);
    for (int i = 0; i < 100; ++i)
        assembler.feed(QByteArray(1000, 'x'));
    QVERIFY(assembler.pendingSize() <= ScaleLineAssembler::MaxPending);
    // The stream recovers at the next line end, which ends the dropped text.
    QVERIFY(assembler.feed("\r\n").isEmpty());
    QCOMPARE(assembler.feed("+0001.000 kg\r\n").value(0), u"+0001.000 kg"_s);
}

void TestScaleText::serialSettings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("normalised"); // empty: refused
    QTest::newRow("plain") << u"9600,N,8,1"_s << u"9600,N,8,1"_s;
    QTest::newRow("half stop") << u"19200,E,7,1.5"_s << u"19200,E,7,1.5"_s;
    QTest::newRow("lower parity") << u"9600,n,8,1"_s << u"9600,N,8,1"_s;
    QTest::newRow("blanks") << u" 4800 , o , 7 , 2 "_s << u"4800,O,7,2"_s;
    QTest::newRow("four data bits") << u"9600,N,4,1"_s << QString();
    QTest::newRow("bad parity") << u"9600,X,8,1"_s << QString();
    QTest::newRow("empty parity") << u"9600,,8,1"_s << QString();
    QTest::newRow("bad stop") << u"9600,N,8,3"_s << QString();
    QTest::newRow("no speed") << u",N,8,1"_s << QString();
    QTest::newRow("short") << u"9600,N,8"_s << QString();
}

void TestScaleText::serialSettings()
{
    QFETCH(QString, text);
    QFETCH(QString, normalised);
    const auto settings = SerialSettings::parse(text);
    QCOMPARE(settings.has_value(), !normalised.isEmpty());
    if (settings)
        QCOMPARE(settings->text(), normalised);
}

void TestScaleText::decodesTurkishCodePage()
{
    QCOMPARE(Windows1254::decode("\xdd\xfe\xf0\xd0\xde\xfd\xc7\xfc"), u"İşğĞŞıÇü"_s);
    QCOMPARE(Windows1254::decode("\x80 12"), u"€ 12"_s);
    QCOMPARE(Windows1254::decode(QByteArray("a\0b", 3)).size(), 3);
}

QTEST_GUILESS_MAIN(TestScaleText)
#include "test_scale_text.moc"
