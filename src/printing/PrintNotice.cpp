#include "printing/PrintNotice.h"

#include "printing/PrintJobResult.h"

#include <QHBoxLayout>
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
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xff, 0xe0, 0xe0));
    colours.setColor(QPalette::WindowText, QColor(0x90, 0x00, 0x00));
    setPalette(colours);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);

    m_retry = new QPushButton(this);
    m_retry->setObjectName(u"PrintNoticeRetry"_s);
    m_retry->setFocusPolicy(Qt::NoFocus);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 4, 4, 4);
    row->addStretch();
    row->addWidget(m_retry);
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
    m_document = topic;
    m_retry->hide();
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
}

void PrintNotice::mousePressEvent(QMouseEvent *event)
{
    hide();
    event->accept();
}
