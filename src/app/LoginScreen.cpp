#include "app/LoginScreen.h"

#include "app/Form1.h"
#include "journal/Journal.h"
#include "station/SettingsStore.h"
#include "data/StationData.h"
#include "ui_support/Colors.h"
#include "ui_support/Control.h"
#include "ui_support/KeyLabel.h"
#include "ui_support/ListBox.h"
#include "ui_support/TwipsGeometry.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcLogin, "tavran.app.login")

namespace {
const QString PasswordShown = u"(parola)"_s;
const QString NoStaff = u"PERSONEL YOK"_s;
const QString PasswordPrompt = u"ŞİFRENİZİ GİRİNİZ"_s;
const QString WrongPassword = u"ŞİFRE YANLIŞ"_s;
const QString ChangePassword = u"ŞİFRE DEĞİŞTİRME"_s;
const QString KeyUnreadable = u"Ayar dosyası okunamadı: "_s;
const QString Sale = u"SATIŞ"_s;
const QString Purchase = u"ALIŞ"_s;
constexpr int ClearKey = 10;
constexpr int EnterKey = 12;
} // namespace

LoginScreen::LoginScreen(Form1 &form, QWidget *girisFrm, QWidget *surface)
    : QObject(&form)
    , m_form(form)
{
    m_list3 = new ListBox(girisFrm);
    m_list3->setObjectName(u"List3"_s);
    Control::setBackColor(m_list3, Colors::Blue);
    Control::setForeColor(m_list3, Colors::Yellow);
    TwipsGeometry::place(m_list3, 360, 660, 8715, 9135, 20);

    m_alSat = new QPushButton(u"SATIŞ"_s, girisFrm);
    Control::setUp(m_alSat, u"AlSat"_s, Colors::Green, {9750, 660, 4695, 1155}, 28);

    m_picture3 = new QFrame(girisFrm);
    m_picture3->setObjectName(u"Picture3"_s);
    m_picture3->setFrameShape(QFrame::Panel);
    m_picture3->setStyleSheet(
        u"#Picture3 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
        u"stop:0 #4a5a6a, stop:1 #1f2a35); }"_s);
    TwipsGeometry::place(m_picture3, 9480, 2280, 5250, 6000);

    m_label7 = new QLabel(m_picture3);
    m_label7->setObjectName(u"Label7"_s);
    m_label7->setAlignment(Qt::AlignCenter);
    m_label7->setWordWrap(true); // the longer messages take two lines
    Control::setBackColor(m_label7, Colors::White);
    m_label7->setFrameShape(QFrame::Box);
    TwipsGeometry::place(m_label7, 330, 330, 4605, 705, 18);

    static const int Lefts[] = {330, 1890, 3480};
    static const int Tops[] = {1200, 2370, 3510, 4680};
    static const QString Captions[] = {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s,    u"6"_s,
                                       u"7"_s, u"8"_s, u"9"_s, u"C"_s, u"0"_s, u"GİRİŞ"_s};
    for (int i = 0; i < 12; ++i) {
        auto *key = new KeyLabel(Captions[i], m_picture3);
        key->setObjectName(u"Image"_s + QString::number(i + 1));
        key->setFrameShape(QFrame::Panel);
        key->setFrameShadow(QFrame::Raised);
        key->setLineWidth(3);
        Control::setBackColor(key, i == 9 ? 0x4040E0 : (i == 11 ? Colors::Green : 0xE0E0E0));
        TwipsGeometry::place(key, Lefts[i % 3], Tops[i / 3], 1425, 975, i == 11 ? 16 : 26);
        m_images[i] = key;
        const int number = i + 1;
        if (number == ClearKey)
            connect(key, &KeyLabel::clicked, this, &LoginScreen::clearDisplay);
        else if (number == EnterKey)
            connect(key, &KeyLabel::clicked, this, &LoginScreen::pressEnter);
        else
            connect(key, &KeyLabel::clicked, this, [this, key] { pressDigit(key->text()); });
    }
    connect(m_list3, &ListBox::click, this, &LoginScreen::selectStaff);
    connect(m_alSat, &QPushButton::clicked, this, &LoginScreen::switchSaleOrPurchase);

    m_command5 = new QPushButton(u"Programı Kapat"_s, girisFrm);
    Control::setUp(m_command5, u"Command5"_s, Colors::Yellow, {9510, 8670, 5175, 1125}, 22);
    connect(m_command5, &QPushButton::clicked, this, &LoginScreen::closeRequested);

    m_elemanLbl = new QLabel(NoStaff, surface);
    m_elemanLbl->setObjectName(u"ElemanLbl"_s);
    m_elemanLbl->setAlignment(Qt::AlignCenter);
    Control::setBackColor(m_elemanLbl, Colors::White);
    TwipsGeometry::place(m_elemanLbl, 90, 60, 5865, 555, 16);
}

void LoginScreen::setStaff(const QStringList &names)
{
    m_list3->setItems(QStringList{NoStaff} + names);
}

void LoginScreen::showPasswordPrompt()
{
    showMessage(PasswordPrompt);
}

void LoginScreen::selectStaff()
{
    // A password change offered to one member is never carried over to the
    // next: without this, enter would let the newly chosen member in unasked.
    Control::setBackColor(m_label7, Colors::White);
    showPasswordPrompt();
}

void LoginScreen::showMessage(const QString &text)
{
    m_label7->setText(text);
    m_form.state().passwordPromptShown = true;
}

bool LoginScreen::isChangingPassword() const
{
    return Control::backColor(m_label7) == Colors::Cyan;
}

void LoginScreen::pressDigit(const QString &digit)
{
    bool &promptShown = m_form.state().passwordPromptShown;
    if (promptShown) {
        m_label7->clear();
        promptShown = false;
    }
    m_label7->setText(m_label7->text() + digit);
}

void LoginScreen::clearDisplay()
{
    m_label7->clear();
    m_form.state().passwordPromptShown = true;
}

void LoginScreen::pressEnter()
{
    const int member = m_list3->listIndex();
    if (member < 0)
        return; // nobody chosen: no password to check or to store
    if (member == 0) { // "PERSONEL YOK" needs no password
        m_form.journal().login(NoStaff, true);
        logIn();
        return;
    }
    const QString name = m_list3->text();
    const QString typed = m_label7->text();
    if (!isChangingPassword()) {
        if (const qint64 locked = m_lockout.secondsLeft(name); locked > 0) {
            showMessage(LoginLockout::message(locked));
            return;
        }
        // An empty entry, or enter on a message, is no attempt: it neither
        // counts towards a lock nor says anything about the password.
        if (m_form.state().passwordPromptShown || typed.isEmpty())
            return;
        QString problem;
        const StaffPasswords::Check check = m_passwords.check(name, typed, &problem);
        if (check == StaffPasswords::Check::Unreadable) {
            // Not knowing the password is not having none: nobody gets in and nothing is stored.
            showMessage(KeyUnreadable + problem);
            m_form.journal().login(name, false, KeyUnreadable + problem);
            return;
        }
        if (check == StaffPasswords::Check::Wrong) {
            const qint64 locked = m_lockout.recordWrong(name);
            showMessage(locked > 0 ? LoginLockout::message(locked) : WrongPassword);
            m_form.journal().login(name, false, locked > 0 ? u"şifre yanlış, kilitlendi"_s : u"şifre yanlış"_s);
            return;
        }
        if (check == StaffPasswords::Check::Correct) {
            m_lockout.clear(name);
            Control::setBackColor(m_label7, Colors::Cyan);
            showMessage(ChangePassword);
            return;
        }
        // No password yet: the typed digits become it.
    }
    m_form.journal().login(name, true);
    acceptStaff(name, typed);
    logIn();
}

void LoginScreen::acceptStaff(const QString &name, const QString &typed)
{
    static const QRegularExpression Digits(u"^[0-9]+$"_s);
    m_elemanLbl->setText(name);
    if (Digits.match(typed).hasMatch()) {
        if (!m_passwords.store(name, typed))
            qCWarning(lcLogin) << "the new password of" << name << "could not be stored";
        m_form.journal().setting(name, PasswordShown);
        return;
    }
    // Logged in with the password unchanged.
    if (m_elemanLbl->fontMetrics().horizontalAdvance(name) > m_elemanLbl->width())
        m_elemanLbl->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void LoginScreen::logIn()
{
    Control::setBackColor(m_label7, Colors::White);
    m_form.girisFrm()->hide();
    m_form.setDosyaVisible(true);
}

void LoginScreen::switchSaleOrPurchase()
{
    StationState &state = m_form.state();
    const bool toSale = m_alSat->text() != Sale;
    m_alSat->setText(toSale ? Sale : Purchase);
    Control::setBackColor(m_alSat, toSale ? Colors::Green : Colors::Red);
    state.alsatMode = toSale ? 0 : 1;
    emit alsatSwitched(state.alsatMode);

    DataControl &movements = m_form.data().data5();
    movements.setRecordSource(RecordSources::movementsOf(state.alsatMode, movements.dialect()));
    RefreshDataControl(movements);
    m_list3->setFocus();
}
