#include "screens/CustomerScreen.h"

#include "app/Form1.h"
#include "data/StationData.h"
#include "ui_support/Colors.h"
#include "ui_support/Control.h"
#include "ui_support/ListBox.h"
#include "ui_support/TwipsGeometry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

CustomerScreen::CustomerScreen(Form1 &form, QWidget *surface)
    : QObject(&form)
    , m_form(form)
{
    m_musLbl = new QLabel(u" Müşteri Seçimi"_s, surface);
    m_musLbl->setObjectName(u"MusLbl"_s);
    Control::setBackColor(m_musLbl, Colors::White);
    TwipsGeometry::place(m_musLbl, 90, 750, 3225, 660, 18);

    m_musTxt = new QLineEdit(surface);
    m_musTxt->setObjectName(u"MusTxt"_s);
    TwipsGeometry::place(m_musTxt, 3330, 750, 11805, 660, 20);

    m_list1 = new ListBox(surface);
    m_list1->setObjectName(u"List1"_s);
    Control::setBackColor(m_list1, Colors::Yellow);
    TwipsGeometry::place(m_list1, 90, 1560, 12465, 5130, 18);

    m_upCmd = new QPushButton(u"▲"_s, surface);
    m_upCmd->setObjectName(u"UpCmd"_s);
    Control::setBackColor(m_upCmd, Colors::Yellow);
    TwipsGeometry::place(m_upCmd, 12690, 1560, 2475, 1545, 36);

    m_downCmd = new QPushButton(u"▼"_s, surface);
    m_downCmd->setObjectName(u"DownCmd"_s);
    Control::setBackColor(m_downCmd, Colors::Yellow);
    TwipsGeometry::place(m_downCmd, 12690, 3360, 2475, 1545, 36);

    m_command1 = new QPushButton(u"Tartmaya Başla"_s, surface);
    m_command1->setObjectName(u"Command1"_s);
    Control::setBackColor(m_command1, Colors::Green);
    m_command1->setEnabled(false);
    TwipsGeometry::place(m_command1, 12690, 5160, 2475, 1545, 16);
}

void CustomerScreen::fillList()
{
    QStringList titles;
    if (Recordset *records = m_form.data().data1().recordset()) {
        const int first = std::max(0, records->absolutePosition());
        titles.reserve(records->recordCount() - first);
        for (int i = first; i < records->recordCount(); ++i)
            titles << records->valueAt(i, 1).toString();
    }
    m_list1->setItems(titles);
}
