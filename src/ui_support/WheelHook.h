#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Turns a wheel step over a data grid of `window` into one arrow key press
// for the control that has the keyboard focus: away from the user is Up,
// towards the user is Down, one key per wheel event whatever its size. The
// first visible grid under the pointer counts; elsewhere the wheel works as
// usual.
class WheelHook : public QObject
{
    Q_OBJECT
public:
    explicit WheelHook(QWidget *window);
    ~WheelHook() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_window;
};
