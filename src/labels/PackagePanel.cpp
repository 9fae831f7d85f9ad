#include "labels/PackagePanel.h"

#include "app/Form1.h"
#include "ui_support/Colors.h"
#include "ui_support/Control.h"
#include "ui_support/TwipsGeometry.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

PackagePanel::PackagePanel(Form1 &form, QWidget *frame2)
    : QObject(&form)
    , m_form(form)
{
    const QString label2Captions[] = {u" Tartılan Ürün "_s, u" Dana Kuşbaşı"_s, u" Anlık Kg"_s,
                                      u" Önceki Kg"_s,      u" Toplam Kg"_s,    QString()};
    const QRect label2Places[] = {{240, 240, 3600, 900},   {3960, 240, 7320, 900},
                                  {240, 2160, 3600, 1440}, {240, 3720, 3600, 1440},
                                  {240, 5280, 3600, 1440}, {240, 1260, 14790, 720}};
    for (int i = 0; i < 6; ++i) {
        auto *label = new QLabel(label2Captions[i], frame2);
        label->setObjectName(Control::arrayName(u"Label2"_s, i));
        Control::setBackColor(label, i == 1 ? Colors::Yellow : Colors::White);
        const QRect r = label2Places[i];
        TwipsGeometry::place(label, r.x(), r.y(), r.width(), r.height(), i >= 2 && i <= 4 ? 24 : 20);
        m_label2[i] = label;
    }
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(u"0 Kg "_s, frame2);
        label->setObjectName(Control::arrayName(u"Label4"_s, i));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Control::setBackColor(label, 0);
        Control::setForeColor(label, i == 0 ? Colors::Green : Colors::Yellow);
        TwipsGeometry::place(label, 3960, 2160 + i * 1560, 7320, 1440, 48);
        m_label4[i] = label;
    }

    const QString command4Captions[] = {QString(), u"Tartım Tamam"_s, u" Ekle Ve Devam Et"_s,
                                        u"Ürün Seçimine Geri Dön"_s};
    const int command4Tops[] = {0, 3720, 2160, 5280};
    for (int i = 1; i <= 3; ++i) {
        auto *button = new QPushButton(command4Captions[i], frame2);
        button->setObjectName(Control::arrayName(u"Command4"_s, i));
        Control::setBackColor(button, i == 3 ? Colors::Yellow : Colors::Green);
        TwipsGeometry::place(button, 11520, command4Tops[i], 3510, 1440, 16);
        m_command4[i] = button;
    }
    m_command4[1]->setEnabled(false);
    m_command4[2]->setEnabled(false);

    m_paketYaz = new QCheckBox(u"Paket Yaz"_s, frame2);
    m_paketYaz->setObjectName(u"PaketYaz"_s);
    TwipsGeometry::place(m_paketYaz, 11520, 6840, 3510, 600, 18);

    m_frame4 = new QFrame(frame2);
    m_frame4->setObjectName(u"Frame4"_s);
    TwipsGeometry::place(m_frame4, 11520, 7560, 3510, 2700);
    m_frame4->hide();
    const QString command7Captions[] = {u"Son Kullanma 10 Gün"_s, u"  Son Kullanma 1 Yıl"_s};
    for (int i = 0; i < 2; ++i) {
        auto *button = new QPushButton(command7Captions[i], m_frame4);
        button->setObjectName(Control::arrayName(u"Command7"_s, i));
        Control::setBackColor(button, Colors::Yellow);
        TwipsGeometry::place(button, 0, i * 1380, 3510, 1300, 14);
        m_command7[i] = button;
    }
}
