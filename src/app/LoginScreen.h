#pragma once

#include <QObject>
#include <array>

class Form1;
class ListBox;
class QFrame;
class QWidget;
class QLabel;
class QPushButton;

// The login screen GirisFrm: the staff list, the password keypad with its
// display, the sale/purchase switch and the close button; and ElemanLbl on
// the window, naming the logged-in staff member.
class LoginScreen : public QObject
{
    Q_OBJECT
public:
    LoginScreen(Form1 &form, QWidget *girisFrm, QWidget *surface);

    ListBox *list3() const { return m_list3; }
    QPushButton *alSat() const { return m_alSat; }
    QFrame *picture3() const { return m_picture3; }
    QLabel *label7() const { return m_label7; }
    QLabel *image(int number) const { return m_images[number - 1]; } // Image1..Image12
    QPushButton *command5() const { return m_command5; }
    QLabel *elemanLbl() const { return m_elemanLbl; }

    // Fills the staff list: "PERSONEL YOK" first, then `names`.
    void setStaff(const QStringList &names);
    // Puts the password prompt on the display ("ŞİFRENİZİ GİRİNİZ").
    void showPasswordPrompt();

signals:
    void closeRequested();

private:
    Form1 &m_form;
    ListBox *m_list3 = nullptr;
    QPushButton *m_alSat = nullptr;
    QFrame *m_picture3 = nullptr;
    QLabel *m_label7 = nullptr;
    std::array<QLabel *, 12> m_images = {};
    QPushButton *m_command5 = nullptr;
    QLabel *m_elemanLbl = nullptr;
};
