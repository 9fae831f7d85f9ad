#include "screens/CustomerScreen.h"

#include "station/StationState.h"
#include "ui_support/StationWindow.h"
#include "data/Criteria.h"
#include "data/StationData.h"
#include "screens/KeyboardLayouts.h"
#include "screens/KeyboardSearch.h"
#include "screens/OnScreenKeyboard.h"
#include "station/SettingsStore.h"
#include "ui_support/Colors.h"
#include "ui_support/Control.h"
#include "ui_support/ListBox.h"
#include "ui_support/TwipsGeometry.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcCustomers, "tavran.screens.customers")

namespace {
const QString TitleField = u"Unvan"_s;
constexpr int TitleColumn = 1;
// The station key remembers whose order the rows of Tart are, so a restart
// gives them back to the same account.
const QString OrderCustomerKey = u"SiparisMusteri"_s;
const QString OrderAlsatKey = u"SiparisAlSat"_s;
} // namespace

CustomerScreen::CustomerScreen(StationWindow &form, QWidget *surface)
    : QObject(surface)
    , m_form(form)
    , m_surface(surface)
{
    m_musLbl = new QLabel(u" Müşteri Seçimi"_s, surface);
    Control::setUp(m_musLbl, u"MusLbl"_s, Colors::White, {90, 750, 3225, 660}, 18);

    m_musTxt = new QLineEdit(surface);
    Control::setUp(m_musTxt, u"MusTxt"_s, Colors::White, {3330, 750, 11805, 660}, 20);

    m_list1 = new ListBox(surface);
    Control::setUp(m_list1, u"List1"_s, Colors::Yellow, {90, 1560, 12465, 5130}, 18);

    m_upCmd = new QPushButton(u"▲"_s, surface);
    Control::setUp(m_upCmd, u"UpCmd"_s, Colors::Yellow, {12690, 1560, 2475, 1545}, 36);

    m_downCmd = new QPushButton(u"▼"_s, surface);
    Control::setUp(m_downCmd, u"DownCmd"_s, Colors::Yellow, {12690, 3360, 2475, 1545}, 36);

    m_command1 = new QPushButton(u"Tartmaya Başla"_s, surface);
    m_command1->setObjectName(u"Command1"_s);
    Control::setBackColor(m_command1, Colors::Green);
    m_command1->setEnabled(false);
    TwipsGeometry::place(m_command1, 12690, 5160, 2475, 1545, 16);

    m_keyboard = new OnScreenKeyboard(u"Label1"_s, KeyboardLayouts::customerKeyboard(), 18, surface);
    connect(m_keyboard, &OnScreenKeyboard::keyPointed, this, &CustomerScreen::pointAtKey);
    connect(m_keyboard, &OnScreenKeyboard::keyClicked, this, &CustomerScreen::pressKey);

    connect(m_musTxt, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_command1->setEnabled(!text.isEmpty()); });
    connect(m_list1, &ListBox::click, this, &CustomerScreen::onList1Click);
    connect(m_list1, &ListBox::doubleClicked, this, &CustomerScreen::onList1DoubleClick);
    connect(m_upCmd, &QPushButton::clicked, this, [this] { step(-1); });
    connect(m_downCmd, &QPushButton::clicked, this, [this] { step(+1); });
    connect(m_command1, &QPushButton::clicked, this, &CustomerScreen::startWeighing);

    // A finger on the list or on the free surface counts as the pointer
    // resting there, as with a mouse.
    surface->setMouseTracking(true);
    surface->installEventFilter(this);
    m_list1->viewport()->setMouseTracking(true);
    m_list1->viewport()->installEventFilter(this);
}

void CustomerScreen::fillList()
{
    QStringList titles;
    m_listOffset = 0;
    if (Recordset *records = m_form.data().data1().recordset()) {
        m_listOffset = std::max(0, records->absolutePosition());
        titles = records->columnTexts(TitleColumn, m_listOffset);
    }
    m_list1->setItems(titles);
}

void CustomerScreen::showGroup(const QString &group)
{
    m_musTxt->clear();
    m_list1->clear();
    DataControl &accounts = m_form.data().data1();
    accounts.setRecordSource(RecordSources::customersOfGroup(group, accounts.dialect()));
    if (!RefreshDataControl(accounts))
        qCWarning(lcCustomers) << "accounts of group" << group << "could not be read";
    fillList();
}

void CustomerScreen::showAccountsFor(int alsatMode)
{
    showGroup(alsatMode == 0 ? RecordSources::CustomerGroup : RecordSources::SupplierGroup);
}

void CustomerScreen::pressKey(int index)
{
    QString text = KeyboardSearch::afterCustomerKey(m_musTxt->text(), index, m_keyboard->caption(index));
    m_musTxt->setText(text);
    m_musTxt->setCursorPosition(int(text.size()));

    Recordset *accounts = m_form.data().data1().recordset();
    const int found = accounts ? KeyboardSearch::findFirstStartingWith(*accounts, TitleField, text) : -1;
    if (found < 0) {
        // No account continues with this key: the key is refused.
        if (!text.isEmpty()) {
            text.chop(1);
            m_musTxt->setText(text);
            m_musTxt->setCursorPosition(int(text.size()));
        }
        return;
    }
    selectFoundAccount(found);
}

void CustomerScreen::selectFoundAccount(int position)
{
    const int entry = position - m_listOffset;
    const QString title = m_form.data().data1().recordset()->valueAt(position, TitleColumn).toString();
    if (entry >= 0 && entry < m_list1->count() && m_list1->item(entry) == title)
        m_list1->setListIndex(entry);
    else
        m_list1->setListIndex(m_list1->findExact(title));
}

void CustomerScreen::chooseAccount(const QString &title)
{
    Recordset *accounts = m_form.data().data1().recordset();
    if (title.isEmpty() || !accounts || !accounts->findFirst(Criteria::equals(TitleField, title))) {
        qCWarning(lcCustomers) << "the open order's account" << title << "is not listed";
        return;
    }
    selectFoundAccount(accounts->absolutePosition());
    m_musTxt->setText(accounts->value(TitleField).toString());
}

void CustomerScreen::restoreOpenOrder()
{
    m_orderRestored = m_form.orderHasRows();
    if (!m_orderRestored)
        return;
    const int alsat = regText(ReadRegValue(OrderAlsatKey)) == u"1"_s ? 1 : 0;
    if (alsat != m_form.state().alsatMode)
        emit restoredOrderOfOtherKind();
    chooseAccount(regText(ReadRegValue(OrderCustomerKey)));
}

void CustomerScreen::pointAtKey(int index)
{
    StationState &state = m_form.state();
    if (state.startingUp())
        return;
    state.mouseOverCustomerList = false;
    if (m_keyboard->highlight(index, int(state.customerKeyIndex)))
        Control::setBackColor(m_command1, Colors::Cyan);
    state.customerKeyIndex = index;
}

void CustomerScreen::pointAtSurface()
{
    if (!m_form.state().startingUp())
        m_keyboard->unhighlight(int(m_form.state().customerKeyIndex));
}

void CustomerScreen::pointAtList()
{
    if (m_form.state().startingUp())
        return;
    m_keyboard->unhighlight(int(m_form.state().customerKeyIndex));
    m_form.state().mouseOverCustomerList = true;
}

bool CustomerScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress) {
        if (watched == m_list1->viewport())
            pointAtList();
        else if (watched == m_surface)
            pointAtSurface();
    }
    return QObject::eventFilter(watched, event);
}

void CustomerScreen::onList1Click()
{
    if (!m_form.state().mouseOverCustomerList)
        return;
    const int entry = m_list1->listIndex();
    m_musTxt->setText(m_list1->text());
    // The tapped account becomes the current one too, so the order screen
    // names the same account as the slip and the labels.
    if (Recordset *accounts = m_form.data().data1().recordset(); accounts && entry >= 0)
        accounts->moveTo(m_listOffset + entry);
}

void CustomerScreen::onList1DoubleClick()
{
    DataControl &accounts = m_form.data().data1();
    RefreshDataControl(accounts);
    if (Recordset *records = accounts.recordset(); records && records->hasCurrent())
        selectFoundAccount(records->absolutePosition());
}

void CustomerScreen::step(int delta)
{
    const int index = m_list1->listIndex();
    if (delta < 0 ? index > 0 : index < m_list1->count() - 1)
        m_list1->setListIndex(index + delta);
}

void CustomerScreen::startWeighing()
{
    QString title;
    if (Recordset *accounts = m_form.data().data1().recordset(); accounts && accounts->hasCurrent())
        title = accounts->value(TitleField).toString();
    m_form.frame1()->setTitle(u' ' + title + u' ');
    m_form.state().productKeyIndex = 0;
    m_form.frame1()->show();
    m_form.frame1()->raise();
    WriteRegValue(OrderCustomerKey, title);
    WriteRegValue(OrderAlsatKey, QString::number(m_form.state().alsatMode));
    const bool restored = m_orderRestored;
    m_orderRestored = false;
    emit orderOpened(restored);
}
