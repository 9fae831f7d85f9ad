#include "ui_support/WheelHook.h"

#include "ui_support/DataGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>

WheelHook::WheelHook(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    qApp->installEventFilter(this);
}

WheelHook::~WheelHook()
{
    qApp->removeEventFilter(this);
}

bool WheelHook::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel || !m_window)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != m_window)
        return false;

    auto *wheel = static_cast<QWheelEvent *>(event);
    const QPoint at = wheel->globalPosition().toPoint();
    const auto grids = m_window->findChildren<DataGrid *>();
    for (DataGrid *grid : grids) {
        if (!grid->isVisible() || !grid->rect().contains(grid->mapFromGlobal(at)))
            continue;
        const int rotation = wheel->angleDelta().y();
        QWidget *focus = QApplication::focusWidget();
        if (rotation != 0 && focus) {
            QKeyEvent press(QEvent::KeyPress, rotation > 0 ? Qt::Key_Up : Qt::Key_Down,
                            Qt::NoModifier);
            QApplication::sendEvent(focus, &press);
            QKeyEvent release(QEvent::KeyRelease, rotation > 0 ? Qt::Key_Up : Qt::Key_Down,
                              Qt::NoModifier);
            QApplication::sendEvent(focus, &release);
        }
        return true;
    }
    return false;
}
