#pragma once

#include "screens/KeyboardLayouts.h"

#include <QHash>
#include <QObject>

class KeyLabel;
class QWidget;

// The keys of one on-screen keyboard, placed in twips on their parent and
// named `name(index)`. Keys are cyan; the key under the finger is yellow.
class OnScreenKeyboard : public QObject
{
    Q_OBJECT
public:
    OnScreenKeyboard(const QString &name, const QList<KeySpec> &layout, double fontPoints,
                     QWidget *parent);

    KeyLabel *key(int index) const; // null where the keyboard has no such key
    QString caption(int index) const;
    bool isYellow(int index) const;

    // Turns the key at `previous` cyan and key `index` yellow; false (and
    // nothing changed) when key `index` is yellow already or missing.
    bool highlight(int index, int previous);
    // Turns key `index` cyan.
    void unhighlight(int index);

signals:
    void keyPointed(int index);
    void keyClicked(int index);

private:
    QHash<int, KeyLabel *> m_keys;
};
