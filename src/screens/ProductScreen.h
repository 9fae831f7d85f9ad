#pragma once

#include <QObject>

class Form1;
class ListBox;
class QWidget;
class QLabel;
class QPushButton;

// Product choice on the order screen Frame1: the product keyboard, the
// search text ÜrünLbl, the product list List2 and the two arrows Command3.
class ProductScreen : public QObject
{
    Q_OBJECT
public:
    ProductScreen(Form1 &form, QWidget *frame1);

    QLabel *urunLbl() const { return m_urunLbl; }
    ListBox *list2() const { return m_list2; }
    QPushButton *command3(int index) const { return m_command3[index]; }

    // List2 from Data4: every product name in record order.
    void fillList();

private:
    Form1 &m_form;
    QLabel *m_urunLbl = nullptr;
    ListBox *m_list2 = nullptr;
    QPushButton *m_command3[2] = {};
};
