#pragma once

#include <QObject>

class StationWindow;
class ListBox;
class OnScreenKeyboard;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The customer screen, on the window surface: the search box MusTxt, the
// account list List1, its arrows, "Tartmaya Başla" and the customer keyboard
// Label1, which narrows the list to the first account starting with the text.
class CustomerScreen : public QObject
{
    Q_OBJECT
public:
    CustomerScreen(StationWindow &form, QWidget *surface);

    QLabel *musLbl() const { return m_musLbl; }
    QLineEdit *musTxt() const { return m_musTxt; }
    ListBox *list1() const { return m_list1; }
    QPushButton *upCmd() const { return m_upCmd; }
    QPushButton *downCmd() const { return m_downCmd; }
    QPushButton *command1() const { return m_command1; }
    OnScreenKeyboard &keyboard() const { return *m_keyboard; }

    // List1 from Data1: the title of every record from the current one on.
    void fillList();
    // Shows the accounts of `group` ("Müşteri" or "Toptan"): the search text
    // is emptied and Data1 re-read.
    void showGroup(const QString &group);
    // The accounts of a sale (0: customers) or a purchase (1: wholesalers).
    void showAccountsFor(int alsatMode);

    // At start-up with order rows left in Tart: the order's customer (and
    // sale or purchase) are chosen again, and the order screen says so.
    void restoreOpenOrder();
    // Makes the account titled `title` the current one, as a restored order does.
    void chooseAccount(const QString &title);

    // The customer keyboard's key `index` pressed.
    void pressKey(int index);
    // The pointer on key `index`, on the window surface, on List1.
    void pointAtKey(int index);
    void pointAtSurface();
    void pointAtList();

signals:
    // "Tartmaya Başla": the order screen is up for the current account;
    // `restored` when the rows are an order left from before a restart.
    void orderOpened(bool restored);
    // The order left from before a restart is of the other kind (sale or
    // purchase) than the one shown.
    void restoredOrderOfOtherKind();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void selectFoundAccount(int position);
    void onList1Click();
    void onList1DoubleClick();
    void step(int delta);
    void startWeighing();

    StationWindow &m_form;
    QWidget *m_surface = nullptr;
    QLabel *m_musLbl = nullptr;
    QLineEdit *m_musTxt = nullptr;
    ListBox *m_list1 = nullptr;
    QPushButton *m_upCmd = nullptr;
    QPushButton *m_downCmd = nullptr;
    QPushButton *m_command1 = nullptr;
    OnScreenKeyboard *m_keyboard = nullptr;
    int m_listOffset = 0; // Data1's position of List1's first entry
    bool m_orderRestored = false; // rows of an unfinished order were found at start-up
};
