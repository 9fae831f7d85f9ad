#pragma once

#include "scale/TerminalText.h"

#include <QObject>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>

// Shows the serial terminal text in `txtTerm`. Fast input is gathered and
// drawn at most every few tens of milliseconds, so a flood cannot stall the
// window.
class TerminalBox : public QObject
{
    Q_OBJECT
public:
    explicit TerminalBox(QPlainTextEdit *box, QObject *parent = nullptr);

    // AppendTerminalText for the box.
    void AppendTerminalText(const QString &data);
    const TerminalText &text() const { return m_text; }

private:
    void show();

    QPointer<QPlainTextEdit> m_box;
    TerminalText m_text;
    QTimer m_redraw;
};
