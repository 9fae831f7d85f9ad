#pragma once

#include <QLabel>

// A label used as a key of an on-screen keyboard. `pointed` reports the
// pointer resting on the key, and also a press, since a finger or a pen on
// a touch screen presses without hovering first; `clicked` follows a
// release on the key.
class KeyLabel : public QLabel
{
    Q_OBJECT
public:
    explicit KeyLabel(const QString &caption, QWidget *parent = nullptr);

signals:
    void pointed();
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
