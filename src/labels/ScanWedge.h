#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>

class QWidget;

// A barcode scanner set up as a keyboard types its text as key presses
// into the window, ending with Enter. This collects such a text from the
// presses meant for the window while `active` says so, before any control
// takes them; presses far apart are a person's, and start the text anew.
class ScanWedge : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 KeyGapMs = 300;

    ScanWedge(QWidget *window, std::function<bool()> active, QObject *parent);

signals:
    void scanned(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    std::function<bool()> m_active;
    QString m_text;
    QElapsedTimer m_sinceKey;
};
