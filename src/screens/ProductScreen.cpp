#include "screens/ProductScreen.h"

#include "station/StationState.h"
#include "ui_support/StationWindow.h"
#include "data/StationData.h"
#include "screens/KeyboardLayouts.h"
#include "screens/KeyboardSearch.h"
#include "screens/OnScreenKeyboard.h"
#include "ui_support/Colors.h"
#include "ui_support/Control.h"
#include "ui_support/ListBox.h"
#include "ui_support/ScrollingContainer.h"
#include "ui_support/TwipsGeometry.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
const QString NameField = u"Ürün"_s;
constexpr int NameColumn = 1;
// How many names below the found one a search brings into view.
constexpr int FollowingInView = 6;
} // namespace

ProductScreen::ProductScreen(StationWindow &form, QWidget *frame1)
    : QObject(frame1)
    , m_form(form)
    , m_frame1(frame1)
{
    m_urunLbl = new QLabel(frame1);
    m_urunLbl->setObjectName(u"ÜrünLbl"_s);
    Control::setBackColor(m_urunLbl, Colors::White);
    Control::setForeColor(m_urunLbl, 0); // black
    TwipsGeometry::place(m_urunLbl, 120, 4350, 9330, 525, 18);

    m_list2 = new ListBox(frame1);
    Control::setUp(m_list2, u"List2"_s, Colors::Yellow, {120, 4890, 8055, 4380}, 18);
    m_noMatch = new QLabel(u"Eşleşen ürün yok"_s, frame1);
    Control::setUp(m_noMatch, u"EşleşmeYokLbl"_s, Colors::White, {120, 4890, 8055, 645}, 18);
    Control::setForeColor(m_noMatch, Colors::Red);
    m_noMatch->setAlignment(Qt::AlignCenter);
    m_noMatch->hide();

    static const QString Arrows[] = {u"▲"_s, u"▼"_s};
    for (int i = 0; i < 2; ++i) {
        m_command3[i] = new QPushButton(Arrows[i], frame1);
        Control::setUp(m_command3[i], Control::arrayName(u"Command3"_s, i), Colors::Yellow,
                       {8280, i == 0 ? 4920 : 6570, 1185, 1575}, 28);
        connect(m_command3[i], &QPushButton::clicked, this, [this, i] { onArrow(i); });
    }

    m_keyboard = new OnScreenKeyboard(u"Label8"_s, KeyboardLayouts::productKeyboard(), 14, frame1);
    connect(m_keyboard, &OnScreenKeyboard::keyPointed, this, &ProductScreen::pointAtKey);
    connect(m_keyboard, &OnScreenKeyboard::keyClicked, this, &ProductScreen::pressKey);

    connect(m_list2, &ListBox::click, this, &ProductScreen::onList2Click);
    connect(m_list2, &ListBox::doubleClicked, this, &ProductScreen::onList2DoubleClick);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { onFocusChanged(now); });

    frame1->setMouseTracking(true);
    frame1->installEventFilter(this);
    m_list2->viewport()->setMouseTracking(true);
    m_list2->viewport()->installEventFilter(this);
}

void ProductScreen::fillList()
{
    QStringList names;
    if (Recordset *records = m_form.data().data4().recordset())
        names = records->columnTexts(NameColumn);
    m_list2->setItems(names);
}

void ProductScreen::startOver()
{
    // A highlighted first entry would be weighed without anyone choosing it.
    setSearchText({});
    pickNothing(true);
}

void ProductScreen::setSearchText(const QString &text)
{
    const QString previous = m_urunLbl->text();
    if (text == previous)
        return;
    m_urunLbl->setText(text);
    if (keyboardIsTyping())
        search();
}

bool ProductScreen::keyboardIsTyping() const
{
    // The key under the finger is yellow while the keyboard is in use.
    return m_keyboard->isYellow(int(m_form.state().productKeyIndex));
}

void ProductScreen::search()
{
    const QString text = m_urunLbl->text();
    if (text.isEmpty()) {
        pickNothing(true);
        return;
    }
    Recordset *products = m_form.data().data4().recordset();
    const int found = products ? KeyboardSearch::findFirstStartingWith(*products, NameField, text) : -1;
    if (found < 0) {
        // The key stays typed, so the operator sees what was keyed; no
        // product is left picked that the text does not name.
        pickNothing(false);
        return;
    }
    m_noMatch->hide();
    selectProductAt(found);

    const int selected = m_list2->listIndex();
    if (selected < 0)
        return;
    m_list2->setListIndex(std::min(selected + FollowingInView, m_list2->count() - 1));
    m_list2->setListIndex(selected);
}

void ProductScreen::pickNothing(bool textMatches)
{
    m_list2->setListIndex(-1);
    m_list2->scrollToTop();
    m_noMatch->setVisible(!textMatches);
}

void ProductScreen::selectProductAt(int position)
{
    const QString name = m_form.data().data4().recordset()->valueAt(position, NameColumn).toString();
    if (position < m_list2->count() && m_list2->item(position) == name)
        m_list2->setListIndex(position);
    else
        m_list2->setListIndex(m_list2->findExact(name));
}

void ProductScreen::pressKey(int index)
{
    m_form.state().mouseOverCustomerList = false;
    // "*" completes the product the text found, never one found before.
    QString foundName;
    if (Recordset *products = m_form.data().data4().recordset();
        products && products->hasCurrent() && m_noMatch->isHidden())
        foundName = products->value(NameField).toString();
    setSearchText(KeyboardSearch::afterProductKey(m_urunLbl->text(), index,
                                                  m_keyboard->caption(index), foundName));
}

void ProductScreen::pointAtKey(int index)
{
    if (m_keyboard->highlight(index, int(m_form.state().productKeyIndex)))
        m_form.state().productKeyIndex = index;
}

void ProductScreen::pointAway()
{
    m_keyboard->unhighlight(int(m_form.state().productKeyIndex));
}

bool ProductScreen::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress)
        && (watched == m_frame1 || watched == m_list2->viewport())) {
        pointAway();
    }
    return QObject::eventFilter(watched, event);
}

void ProductScreen::onList2Click()
{
    const QString name = m_list2->text();
    m_noMatch->hide();
    if (!keyboardIsTyping())
        setSearchText(name);
    m_form.scrllngFrm1()->hide();
    emit productPicked(name);
}

void ProductScreen::onList2DoubleClick()
{
    DataControl &products = m_form.data().data4();
    RefreshDataControl(products);
    if (Recordset *records = products.recordset(); records && records->hasCurrent())
        selectProductAt(records->absolutePosition());
}

void ProductScreen::onFocusChanged(QWidget *now)
{
    if (!now)
        return;
    if (now == m_list2 || m_list2->isAncestorOf(now))
        setArrowColor(Colors::Yellow);
}

void ProductScreen::aimArrowsAtRows()
{
    setArrowColor(Colors::Cyan);
}

void ProductScreen::setArrowColor(int color)
{
    for (QPushButton *arrow : m_command3)
        Control::setBackColor(arrow, color);
}

void ProductScreen::onArrow(int index)
{
    const bool down = index == 1;
    if (Control::backColor(m_command3[index]) == Colors::Yellow) {
        const int selected = m_list2->listIndex();
        if (down ? selected < m_list2->count() - 1 : selected > 0)
            m_list2->setListIndex(selected + (down ? 1 : -1));
        return;
    }
    Recordset *rows = m_form.data().data3().recordset();
    if (!rows)
        return;
    // Stepping off either end stays on the end row.
    if (rows->isBOF() || rows->isEOF()) {
        if (down)
            rows->moveLast();
        else
            rows->moveFirst();
    } else if (down) {
        if (rows->moveNext(); rows->isEOF())
            rows->moveLast();
    } else if (rows->movePrevious(); rows->isBOF()) {
        rows->moveFirst();
    }
}
