#include "support/ScreenDriver.h"

#include "app/Form1.h"
#include "staff/LoginLockout.h"
#include "app/LoginScreen.h"
#include "staff/PasswordHash.h"
#include "staff/StaffPasswords.h"
#include "station/SettingsStore.h"
#include "support/InterruptedWrite.h"
#include "support/TestStation.h"
#include "ui_support/Colors.h"

#include <QFile>
#include <QGroupBox>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString Ahmet = u"Ahmet Yılmaz"_s;
const QString Prompt = u"ŞİFRENİZİ GİRİNİZ"_s;
const QString Wrong = u"ŞİFRE YANLIŞ"_s;
const QString Change = u"ŞİFRE DEĞİŞTİRME"_s;
} // namespace

class TestLoginScreen : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { PasswordHash::setCost(PasswordHash::lightest()); }
    void init();
    void cleanup() { m_f.reset(); }

    void enterKeyFollowsThePasswordRules_data();
    void enterKeyFollowsThePasswordRules();
    void noStaffEntersAtOnce();
    void changeOfferIsNotCarriedToAnotherMember_data();
    void changeOfferIsNotCarriedToAnotherMember();
    void clearLegacyPasswordIsHashedAtItsLogin();
    void wrongEntriesLockOneMemberForAWhile();
    void unreadableKeyLetsNobodyIn_data();
    void unreadableKeyLetsNobodyIn();

private:
    bool loggedIn() const;

    std::unique_ptr<ScreenFixture> m_f;
};

void TestLoginScreen::init()
{
    m_f = std::make_unique<ScreenFixture>();
    // Names in Windows-1254, as the staff list is kept.
    m_f->station().writeStationFile(u"Personel.Txt"_s, QByteArray("Ahmet Y\xfd" "lmaz\r\nAy\xfe" "e Demir\r\n"));
    m_f->open();
}

bool TestLoginScreen::loggedIn() const
{
    return m_f->window().girisFrm()->isHidden() && m_f->window().isDosyaVisible();
}

void TestLoginScreen::enterKeyFollowsThePasswordRules_data()
{
    QTest::addColumn<QString>("stored");       // before; empty: none
    QTest::addColumn<QString>("keys");         // digits, C clear, E enter
    QTest::addColumn<QString>("storedAfter");
    QTest::addColumn<bool>("loggedIn");
    QTest::addColumn<QString>("display");
    QTest::addColumn<int>("displayColor");

    QTest::newRow("enter on the prompt without a password")
        << QString() << u"E"_s << QString() << false << Prompt << Colors::White;
    QTest::newRow("first password is stored")
        << QString() << u"E42E"_s << u"42"_s << true << u"42"_s << Colors::White;
    QTest::newRow("one digit too few")
        << u"123"_s << u"12E"_s << u"123"_s << false << Wrong << Colors::White;
    QTest::newRow("enter on the prompt with a password")
        << u"123"_s << u"E"_s << u"123"_s << false << Prompt << Colors::White;
    QTest::newRow("empty entries are no attempts and lock nobody")
        << u"123"_s << u"EEEEECEEEEE123E"_s << u"123"_s << false << Change << Colors::Cyan;
    QTest::newRow("correct password offers a change")
        << u"123"_s << u"12E123E"_s << u"123"_s << false << Change << Colors::Cyan;
    QTest::newRow("enter again keeps the password")
        << u"123"_s << u"123EE"_s << u"123"_s << true << Change << Colors::White;
    QTest::newRow("new digits become the password")
        << u"123"_s << u"123E98E"_s << u"98"_s << true << u"98"_s << Colors::White;
    QTest::newRow("stored digits followed by more")
        << u"123"_s << u"1234E"_s << u"123"_s << false << Wrong << Colors::White;
    QTest::newRow("stored digits twice")
        << u"123"_s << u"123123E"_s << u"123"_s << false << Wrong << Colors::White;
    QTest::newRow("clear during the change")
        << u"123"_s << u"123EC"_s << u"123"_s << false << QString() << Colors::Cyan;
    QTest::newRow("clear during the change, then digits")
        << u"123"_s << u"123EC55E"_s << u"55"_s << true << u"55"_s << Colors::White;
}

void TestLoginScreen::enterKeyFollowsThePasswordRules()
{
    QFETCH(QString, stored);
    QFETCH(QString, keys);
    QFETCH(QString, storedAfter);
    QFETCH(bool, loggedIn);
    QFETCH(QString, display);
    QFETCH(int, displayColor);

    if (!stored.isEmpty())
        QVERIFY(StaffPasswords().store(Ahmet, stored));
    m_f->driver().tapEntry(u"List3"_s, 1);
    QCOMPARE(m_f->driver().text(u"Label7"_s), Prompt);
    m_f->driver().typeKeypad(keys);

    // Only ever a hash, and the hash of exactly the expected digits.
    const QString kept = regText(ReadRegValue(Ahmet));
    QCOMPARE(kept.isEmpty(), storedAfter.isEmpty());
    if (!storedAfter.isEmpty()) {
        QVERIFY2(PasswordHash::isHash(kept), qPrintable(kept));
        QVERIFY(PasswordHash::matches(kept, storedAfter));
    }
    QCOMPARE(this->loggedIn(), loggedIn);
    QCOMPARE(m_f->driver().text(u"Label7"_s), display);
    QCOMPARE(m_f->driver().backColor(u"Label7"_s), displayColor);
    QCOMPARE(m_f->driver().text(u"ElemanLbl"_s), loggedIn ? Ahmet : u"PERSONEL YOK"_s);
}

void TestLoginScreen::noStaffEntersAtOnce()
{
    QCOMPARE(m_f->driver().text(u"Label7"_s), Prompt);
    m_f->driver().typeKeypad(u"7E"_s);
    QVERIFY(loggedIn());
    QCOMPARE(m_f->driver().text(u"ElemanLbl"_s), u"PERSONEL YOK"_s);
    QVERIFY(!ReadRegValue(u"PERSONEL YOK"_s));
}

void TestLoginScreen::changeOfferIsNotCarriedToAnotherMember_data()
{
    QTest::addColumn<int>("next"); // the entry tapped while the change is offered
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("password");
    QTest::newRow("another member") << 2 << u"Ayşe Demir"_s << u"9"_s;
    QTest::newRow("the same member again") << 1 << Ahmet << u"123"_s;
}

void TestLoginScreen::changeOfferIsNotCarriedToAnotherMember()
{
    QFETCH(int, next);
    QFETCH(QString, member);
    QFETCH(QString, password);
    QVERIFY(StaffPasswords().store(Ahmet, u"123"_s));
    QVERIFY(StaffPasswords().store(u"Ayşe Demir"_s, u"9"_s));
    m_f->driver().tapEntry(u"List3"_s, 1);
    m_f->driver().typeKeypad(u"123E"_s);
    QCOMPARE(m_f->driver().backColor(u"Label7"_s), Colors::Cyan);

    m_f->driver().tapEntry(u"List3"_s, next);
    QCOMPARE(m_f->driver().backColor(u"Label7"_s), Colors::White);
    QCOMPARE(m_f->driver().text(u"Label7"_s), Prompt);
    m_f->driver().typeKeypad(u"E"_s);
    QVERIFY(!loggedIn());
    m_f->driver().typeKeypad(password + u'E');
    QCOMPARE(m_f->driver().text(u"Label7"_s), Change);
    m_f->driver().typeKeypad(u"E"_s);
    QVERIFY(loggedIn());
    QCOMPARE(m_f->driver().text(u"ElemanLbl"_s), member);
    QVERIFY(PasswordHash::matches(regText(ReadRegValue(member)), password));
}

void TestLoginScreen::clearLegacyPasswordIsHashedAtItsLogin()
{
    WriteRegValue(Ahmet, u"123"_s); // as an older station left it
    m_f->driver().tapEntry(u"List3"_s, 1);
    for (const QString &keys : {u"12E"_s, u"1234E"_s}) { // too few; the clear digits and more
        m_f->driver().typeKeypad(keys);
        QCOMPARE(m_f->driver().text(u"Label7"_s), Wrong);
    }
    QCOMPARE(regText(ReadRegValue(Ahmet)), u"123"_s); // a wrong entry changes nothing

    m_f->driver().typeKeypad(u"123E"_s);
    QCOMPARE(m_f->driver().text(u"Label7"_s), Change);
    const QString kept = regText(ReadRegValue(Ahmet));
    QVERIFY(PasswordHash::isHash(kept));
    QVERIFY(PasswordHash::matches(kept, u"123"_s));
    m_f->driver().typeKeypad(u"E"_s);
    QVERIFY(loggedIn());
}

void TestLoginScreen::wrongEntriesLockOneMemberForAWhile()
{
    QDateTime now = QDateTime::currentDateTimeUtc();
    m_f->window().loginScreen().lockout().setClock([&now] { return now; });
    QVERIFY(StaffPasswords().store(Ahmet, u"123"_s));
    QVERIFY(StaffPasswords().store(u"Ayşe Demir"_s, u"9"_s));

    m_f->driver().tapEntry(u"List3"_s, 1);
    m_f->driver().typeKeypad(u"1E1E1E1E"_s);
    QCOMPARE(m_f->driver().text(u"Label7"_s), Wrong);
    m_f->driver().typeKeypad(u"1E"_s);
    QCOMPARE(m_f->driver().text(u"Label7"_s), u"KİLİTLİ: 30 SN"_s);
    now = now.addSecs(12);
    m_f->driver().typeKeypad(u"123E"_s); // even the right password waits
    QCOMPARE(m_f->driver().text(u"Label7"_s), u"KİLİTLİ: 18 SN"_s);

    // Another member is not held up.
    m_f->driver().tapEntry(u"List3"_s, 2);
    m_f->driver().typeKeypad(u"9E"_s);
    QCOMPARE(m_f->driver().text(u"Label7"_s), Change);

    // A restarted station still knows; once the time is up a correct entry
    // starts the count again.
    m_f->driver().tapEntry(u"List3"_s, 1);
    QVERIFY(LoginLockout().secondsLeft(Ahmet) > 0);
    now = now.addSecs(19);
    m_f->driver().typeKeypad(u"123E"_s);
    QCOMPARE(m_f->driver().text(u"Label7"_s), Change);
    QCOMPARE(m_f->window().loginScreen().lockout().recordWrong(Ahmet), qint64(0));
}

void TestLoginScreen::unreadableKeyLetsNobodyIn_data()
{
    QTest::addColumn<bool>("writerKilled"); // else it still holds the key locked
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");
    QTest::newRow("locked: any digits") << false << u"98E"_s << u"Ayar dosyası okunamadı: başka bir program kilitlemiş"_s;
    QTest::newRow("locked: the right digits") << false << u"123E"_s << u"Ayar dosyası okunamadı: başka bir program kilitlemiş"_s;
    QTest::newRow("leftover journal: any digits") << true << u"98E"_s << Wrong;
    QTest::newRow("leftover journal: the right digits") << true << u"123E"_s << Change;
}

void TestLoginScreen::unreadableKeyLetsNobodyIn()
{
    QFETCH(bool, writerKilled);
    QFETCH(QString, keys);
    QFETCH(QString, display);
    QVERIFY(StaffPasswords().store(Ahmet, u"123"_s));
    const QString key = StationKey::defaultPath();

    InterruptedWrite writer;
    QVERIFY(writer.start(key));
    if (writerKilled) {
        QVERIFY(writer.kill());
        QVERIFY(QFile::exists(key + u"-journal"_s));
    }

    m_f->driver().tapEntry(u"List3"_s, 1);
    m_f->driver().typeKeypad(keys);
    QCOMPARE(m_f->driver().text(u"Label7"_s), display);
    QVERIFY(!loggedIn());
    if (writerKilled)
        QVERIFY2(!QFile::exists(key + u"-journal"_s), "the leftover journal is rolled back");
    else
        QVERIFY(writer.kill());
    QVERIFY(PasswordHash::matches(regText(ReadRegValue(Ahmet)), u"123"_s));
    QCOMPARE(LoginLockout().secondsLeft(Ahmet), qint64(0));
}

QTEST_MAIN(TestLoginScreen)
#include "test_login_screen.moc"
