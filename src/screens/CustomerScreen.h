#pragma once

#include <QObject>

class Form1;
class ListBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The customer screen, on the window surface: the search box MusTxt, the
// account list List1, its arrows, "Tartmaya Başla" and the customer keyboard.
class CustomerScreen : public QObject
{
    Q_OBJECT
public:
    CustomerScreen(Form1 &form, QWidget *surface);

    QLabel *musLbl() const { return m_musLbl; }
    QLineEdit *musTxt() const { return m_musTxt; }
    ListBox *list1() const { return m_list1; }
    QPushButton *upCmd() const { return m_upCmd; }
    QPushButton *downCmd() const { return m_downCmd; }
    QPushButton *command1() const { return m_command1; }

    // List1 from Data1: the title of every record from the current one on.
    void fillList();

private:
    Form1 &m_form;
    QLabel *m_musLbl = nullptr;
    QLineEdit *m_musTxt = nullptr;
    ListBox *m_list1 = nullptr;
    QPushButton *m_upCmd = nullptr;
    QPushButton *m_downCmd = nullptr;
    QPushButton *m_command1 = nullptr;
};
