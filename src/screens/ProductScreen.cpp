#include "screens/ProductScreen.h"

#include "app/Form1.h"
#include "data/StationData.h"
#include "ui_support/Colors.h"
#include "ui_support/Control.h"
#include "ui_support/ListBox.h"
#include "ui_support/TwipsGeometry.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

ProductScreen::ProductScreen(Form1 &form, QWidget *frame1)
    : QObject(&form)
    , m_form(form)
{
    m_urunLbl = new QLabel(frame1);
    m_urunLbl->setObjectName(u"ÜrünLbl"_s);
    Control::setBackColor(m_urunLbl, Colors::White);
    TwipsGeometry::place(m_urunLbl, 120, 4350, 9330, 525, 18);

    m_list2 = new ListBox(frame1);
    m_list2->setObjectName(u"List2"_s);
    Control::setBackColor(m_list2, Colors::Yellow);
    TwipsGeometry::place(m_list2, 120, 4890, 8055, 4380, 18);

    static const QString Arrows[] = {u"▲"_s, u"▼"_s};
    for (int i = 0; i < 2; ++i) {
        m_command3[i] = new QPushButton(Arrows[i], frame1);
        m_command3[i]->setObjectName(Control::arrayName(u"Command3"_s, i));
        Control::setBackColor(m_command3[i], Colors::Yellow);
        TwipsGeometry::place(m_command3[i], 8280, i == 0 ? 4920 : 6570, 1185, 1575, 28);
    }
}

void ProductScreen::fillList()
{
    QStringList names;
    if (Recordset *records = m_form.data().data4().recordset()) {
        names.reserve(records->recordCount());
        for (int i = 0; i < records->recordCount(); ++i)
            names << records->valueAt(i, 1).toString();
    }
    m_list2->setItems(names);
}
