#include "printing/PrintNotice.h"

#include "printing/PrintJobResult.h"

#include <QMouseEvent>
#include <QPushButton>

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

    m_retry = new QPushButton(this);
    m_retry->setObjectName(u"PrintNoticeRetry"_s);
    m_retry->setFocusPolicy(Qt::NoFocus);
    m_retry->hide();
    connect(m_retry, &QPushButton::clicked, this, [this] {
        hide();
        emit retryRequested(m_document);
    });
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
    m_retry->hide();
    setContentsMargins(QMargins());
    setText(text);
    show();
    raise();
}

void PrintNotice::withdraw(const QString &topic)
{
    if (topic == m_document)
        hide();
}

void PrintNotice::offerRetry(const QString &caption)
{
    m_retry->setText(caption);
    m_retry->show();
    placeRetry();
}

void PrintNotice::placeRetry()
{
    // The text keeps clear of the button on the right.
    const int gap = 4;
    m_retry->adjustSize();
    m_retry->move(width() - m_retry->width() - gap, (height() - m_retry->height()) / 2);
    setContentsMargins(0, 0, m_retry->width() + 2 * gap, 0);
}

void PrintNotice::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    if (!m_retry->isHidden())
        placeRetry();
}

void PrintNotice::mousePressEvent(QMouseEvent *event)
{
    hide();
    event->accept();
}
