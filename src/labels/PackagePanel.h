#pragma once

#include <QObject>

class Form1;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

// The package weighing screen Frame2: the three weight rows Label4, their
// titles and the product and customer captions Label2, the buttons Command4,
// the label switch PaketYaz and the use-by buttons Command7 in Frame4.
class PackagePanel : public QObject
{
    Q_OBJECT
public:
    PackagePanel(Form1 &form, QWidget *frame2);

    QLabel *label4(int index) const { return m_label4[index]; }
    QLabel *label2(int index) const { return m_label2[index]; }
    QPushButton *command4(int index) const { return m_command4[index]; } // 1..3
    QPushButton *command7(int index) const { return m_command7[index]; }
    QFrame *frame4() const { return m_frame4; }
    QCheckBox *paketYaz() const { return m_paketYaz; }

private:
    Form1 &m_form;
    QLabel *m_label4[3] = {};
    QLabel *m_label2[6] = {};
    QPushButton *m_command4[4] = {};
    QPushButton *m_command7[2] = {};
    QFrame *m_frame4 = nullptr;
    QCheckBox *m_paketYaz = nullptr;
};
