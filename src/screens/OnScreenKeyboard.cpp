#include "screens/OnScreenKeyboard.h"

#include "ui_support/Colors.h"
#include "ui_support/Control.h"
#include "ui_support/KeyLabel.h"
#include "ui_support/TwipsGeometry.h"

#include <QFont>

OnScreenKeyboard::OnScreenKeyboard(const QString &name, const QList<KeySpec> &layout,
                                   double fontPoints, QWidget *parent)
    : QObject(parent)
{
    for (const KeySpec &spec : layout) {
        auto *key = new KeyLabel(spec.caption, parent);
        key->setObjectName(Control::arrayName(name, spec.index));
        key->setFrameShape(QFrame::Panel);
        key->setFrameShadow(QFrame::Raised);
        key->setLineWidth(2);
        QFont font = key->font();
        font.setBold(true);
        key->setFont(font);
        Control::setBackColor(key, Colors::Cyan);
        Control::setForeColor(key, 0); // black
        TwipsGeometry::place(key, spec.left, spec.top, spec.width, spec.height, fontPoints);
        const int index = spec.index;
        connect(key, &KeyLabel::pointed, this, [this, index] { emit keyPointed(index); });
        connect(key, &KeyLabel::clicked, this, [this, index] { emit keyClicked(index); });
        m_keys.insert(index, key);
    }
}

KeyLabel *OnScreenKeyboard::key(int index) const
{
    return m_keys.value(index);
}

QString OnScreenKeyboard::caption(int index) const
{
    const KeyLabel *k = key(index);
    return k ? k->text() : QString();
}

bool OnScreenKeyboard::isYellow(int index) const
{
    const KeyLabel *k = key(index);
    return k && Control::backColor(k) == Colors::Yellow;
}

bool OnScreenKeyboard::highlight(int index, int previous)
{
    KeyLabel *k = key(index);
    if (!k || isYellow(index))
        return false;
    unhighlight(previous);
    Control::setBackColor(k, Colors::Yellow);
    return true;
}

void OnScreenKeyboard::unhighlight(int index)
{
    if (KeyLabel *k = key(index); k && Control::backColor(k) != Colors::Cyan)
        Control::setBackColor(k, Colors::Cyan);
}
