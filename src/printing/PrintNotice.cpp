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
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xff, 0xe0, 0xe0));
    colours.setColor(QPalette::WindowText, QColor(0x90, 0x00, 0x00));
    setPalette(colours);
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
