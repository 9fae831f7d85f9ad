#pragma once

#include <QObject>

class StationWindow;
class ListBox;
class OnScreenKeyboard;
class QWidget;
class QLabel;
class QPushButton;

// Product choice on the order screen Frame1: the product keyboard Label8,
// the search text ÜrünLbl, the product list List2 and the two arrows
// Command3, which move the product list when yellow and the order rows
// when cyan.
class ProductScreen : public QObject
{
    Q_OBJECT
public:
    ProductScreen(StationWindow &form, QWidget *frame1);

    QLabel *urunLbl() const { return m_urunLbl; }
    ListBox *list2() const { return m_list2; }
    QPushButton *command3(int index) const { return m_command3[index]; }
    OnScreenKeyboard &keyboard() const { return *m_keyboard; }

    // List2 from Data4: every product name in record order.
    void fillList();

    // A new order starts with no product picked and no search text.
    void startOver();

    // Sets the search text; a change made through the keyboard searches.
    void setSearchText(const QString &text);

    // The product keyboard's key `index` pressed.
    void pressKey(int index);
    void pointAtKey(int index);
    // The pointer on List2 or on the free area of Frame1.
    void pointAway();
    // The order rows took the focus: the arrows move the rows (cyan).
    void aimArrowsAtRows();

signals:
    // An entry of List2 was tapped or chosen.
    void productPicked(const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keyboardIsTyping() const;
    void search();
    // Nothing is picked: the list shows whether the search text matched.
    void pickNothing(bool textMatches);
    void selectProductAt(int position);
    void onList2Click();
    void onList2DoubleClick();
    void onFocusChanged(QWidget *now);
    void onArrow(int index);
    void setArrowColor(int color);

    StationWindow &m_form;
    QWidget *m_frame1 = nullptr;
    QLabel *m_urunLbl = nullptr;
    ListBox *m_list2 = nullptr;
    QLabel *m_noMatch = nullptr;
    QPushButton *m_command3[2] = {};
    OnScreenKeyboard *m_keyboard = nullptr;
};
