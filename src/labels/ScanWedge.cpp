#include "labels/ScanWedge.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {
constexpr QChar GroupSeparator(0x1d);
} // namespace

ScanWedge::ScanWedge(QWidget *window, std::function<bool()> active, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_active(std::move(active))
{
    qApp->installEventFilter(this);
}

bool ScanWedge::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !m_active())
        return QObject::eventFilter(watched, event);
    // A press not taken by its first receiver goes on to the parents; it
    // counts once, where it starts: the focused control, else the window.
    QWidget *focus = QApplication::focusWidget();
    QWidget *first = focus && focus->window() == m_window ? focus : m_window;
    if (watched != first)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (m_sinceKey.isValid() && m_sinceKey.elapsed() > KeyGapMs)
        m_text.clear();
    m_sinceKey.start();
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (m_text.isEmpty())
            return false;
        const QString text = m_text;
        m_text.clear();
        emit scanned(text);
        return true; // the scan's end presses no button
    }
    // Some scanners send the separator as Ctrl+].
    if (key->key() == Qt::Key_BracketRight && key->modifiers().testFlag(Qt::ControlModifier)) {
        m_text += GroupSeparator;
        return false;
    }
    for (const QChar c : key->text()) {
        if (c.isPrint() || c == GroupSeparator)
            m_text += c;
    }
    return false;
}
