#include "printing/PrintNotice.h"

#include "printing/PrintJobResult.h"

#include <QMouseEvent>

using namespace Qt::StringLiterals;

PrintNotice::PrintNotice(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(u"PrintNotice"_s);
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    hide();
}

void PrintNotice::report(const PrintJobResult &result)
{
    if (result.printed)
        withdraw(result.document);
    else
        tell(result.document, result.notice());
}

void PrintNotice::tell(const QString &topic, const QString &text)
{
    showAs(topic, text, false);
}

void PrintNotice::tellGood(const QString &topic, const QString &text)
{
    showAs(topic, text, true);
}

void PrintNotice::showAs(const QString &topic, const QString &text, bool good)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, good ? QColor(0xd8, 0xf5, 0xd8) : QColor(0xff, 0xe0, 0xe0));
    colours.setColor(QPalette::WindowText, good ? QColor(0x00, 0x60, 0x00) : QColor(0x90, 0x00, 0x00));
    setPalette(colours);
    m_document = topic;
    setText(text);
    show();
    raise();
}

void PrintNotice::withdraw(const QString &topic)
{
    if (topic == m_document)
        hide();
}

void PrintNotice::mousePressEvent(QMouseEvent *event)
{
    hide();
    event->accept();
}
