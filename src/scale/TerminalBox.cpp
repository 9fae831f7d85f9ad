#include "scale/TerminalBox.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

using namespace std::chrono_literals;

TerminalBox::TerminalBox(QPlainTextEdit *box, QObject *parent)
    : QObject(parent)
    , m_box(box)
{
    m_redraw.setSingleShot(true);
    m_redraw.setInterval(30ms);
    connect(&m_redraw, &QTimer::timeout, this, &TerminalBox::show);
}

void TerminalBox::AppendTerminalText(const QString &data)
{
    m_text.append(data);
    if (!m_redraw.isActive())
        m_redraw.start();
}

void TerminalBox::show()
{
    // The box shows a CR LF pair as one line break; the text model keeps the
    // characters, so lengths and cuts stay those of the terminal.
    if (!m_box)
        return;
    m_box->setPlainText(m_text.text());
    m_box->moveCursor(QTextCursor::End);
    m_box->verticalScrollBar()->setValue(m_box->verticalScrollBar()->maximum());
}
