#pragma once

#include "staff/LoginLockout.h"
#include "staff/StaffPasswords.h"

#include <QObject>
#include <array>

class Form1;
class KeyLabel;
class ListBox;
class QFrame;
class QWidget;
class QLabel;
class QPushButton;

// The login screen GirisFrm: the staff list, the password keypad with its
// display, the sale/purchase switch and the close button; and ElemanLbl on
// the window, naming the logged-in staff member. Each member's password is
// kept in the station key under the member's name; a member without one
// sets it at the first login, and a correct password offers a change (the
// display turns cyan) before letting the member in. Passwords are kept as
// hashes; a member with too many wrong entries in a row waits.
class LoginScreen : public QObject
{
    Q_OBJECT
public:
    LoginScreen(Form1 &form, QWidget *girisFrm, QWidget *surface);

    ListBox *list3() const { return m_list3; }
    QPushButton *alSat() const { return m_alSat; }
    QFrame *picture3() const { return m_picture3; }
    QLabel *label7() const { return m_label7; }
    KeyLabel *image(int number) const { return m_images[number - 1]; } // Image1..Image12
    QPushButton *command5() const { return m_command5; }
    QLabel *elemanLbl() const { return m_elemanLbl; }

    // Fills the staff list: "PERSONEL YOK" first, then `names`.
    void setStaff(const QStringList &names);
    // Puts the password prompt on the display ("ŞİFRENİZİ GİRİNİZ").
    void showPasswordPrompt();

    // The keypad: digits, the clear key Image10 and the enter key Image12.
    void pressDigit(const QString &digit);
    void clearDisplay();
    void pressEnter();

    // The sale/purchase switch: "SATIŞ" shows the customers, "ALIŞ" the
    // wholesalers, and the stock movements of that kind.
    void switchSaleOrPurchase();

    // Wrong entries in a row per member (the clock can be set by tests).
    LoginLockout &lockout() { return m_lockout; }

signals:
    void closeRequested();
    // The switch turned to sale (0) or purchase (1).
    void alsatSwitched(int alsatMode);

private:
    void selectStaff();
    bool isChangingPassword() const;
    void showMessage(const QString &text);
    void acceptStaff(const QString &name, const QString &typed);
    void logIn();

private:
    Form1 &m_form;
    ListBox *m_list3 = nullptr;
    QPushButton *m_alSat = nullptr;
    QFrame *m_picture3 = nullptr;
    QLabel *m_label7 = nullptr;
    std::array<KeyLabel *, 12> m_images = {};
    QPushButton *m_command5 = nullptr;
    QLabel *m_elemanLbl = nullptr;
    StaffPasswords m_passwords;
    LoginLockout m_lockout;
};
