#pragma once

#include <QObject>

class OnScreenKeyboard;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The lot typed on an on-screen keyboard over the whole weighing screen:
// digits, Latin letters and the punctuation a lot may hold. "Tamam" takes a
// lot the rules accept and tells why it refuses any other; "Ürt. Tarihi"
// goes back to the production date as the lot.
class LotEntry : public QObject
{
    Q_OBJECT
public:
    explicit LotEntry(QWidget *parent);

    // Shows the keyboard with `lot` to change.
    void open(const QString &lot);
    bool isOpen() const;
    void close();

signals:
    // An accepted lot; empty for the production date.
    void lotChosen(const QString &lot);

private:
    void pressKey(int index);
    void accept();

    QFrame *m_frame = nullptr;
    QLineEdit *m_text = nullptr;
    QLabel *m_notice = nullptr;
    OnScreenKeyboard *m_keyboard = nullptr;
};
