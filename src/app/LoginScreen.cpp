#include "app/LoginScreen.h"

#include "app/Form1.h"
#include "ui_support/Colors.h"
#include "ui_support/Control.h"
#include "ui_support/ListBox.h"
#include "ui_support/TwipsGeometry.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
const QString NoStaff = u"PERSONEL YOK"_s;
const QString PasswordPrompt = u"ŞİFRENİZİ GİRİNİZ"_s;
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
    m_alSat->setObjectName(u"AlSat"_s);
    Control::setBackColor(m_alSat, Colors::Green);
    TwipsGeometry::place(m_alSat, 9750, 660, 4695, 1155, 28);

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
    Control::setBackColor(m_label7, Colors::White);
    m_label7->setFrameShape(QFrame::Box);
    TwipsGeometry::place(m_label7, 330, 330, 4605, 705, 18);

    static const int Lefts[] = {330, 1890, 3480};
    static const int Tops[] = {1200, 2370, 3510, 4680};
    static const QString Captions[] = {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s,    u"6"_s,
                                       u"7"_s, u"8"_s, u"9"_s, u"C"_s, u"0"_s, u"GİRİŞ"_s};
    for (int i = 0; i < 12; ++i) {
        auto *key = new QLabel(Captions[i], m_picture3);
        key->setObjectName(u"Image"_s + QString::number(i + 1));
        key->setAlignment(Qt::AlignCenter);
        key->setFrameShape(QFrame::Panel);
        key->setFrameShadow(QFrame::Raised);
        key->setLineWidth(3);
        Control::setBackColor(key, i == 9 ? 0x4040E0 : (i == 11 ? Colors::Green : 0xE0E0E0));
        TwipsGeometry::place(key, Lefts[i % 3], Tops[i / 3], 1425, 975, i == 11 ? 16 : 26);
        m_images[i] = key;
    }

    m_command5 = new QPushButton(u"Programı Kapat"_s, girisFrm);
    m_command5->setObjectName(u"Command5"_s);
    Control::setBackColor(m_command5, Colors::Yellow);
    TwipsGeometry::place(m_command5, 9510, 8670, 5175, 1125, 22);
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
    m_label7->setText(PasswordPrompt);
    m_form.state().passwordPromptShown = true;
}
