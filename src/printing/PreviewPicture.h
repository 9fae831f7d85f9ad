#pragma once

#include "printing/PrinterSurface.h"

#include <QWidget>

// The on-screen preview of a slip or label (`Picture2`): a page drawn with
// the same operations as the paper, shown at the window's scale. Its height
// follows the page's, so the scrolling container around it sees it grow.
class PreviewPicture : public QWidget
{
    Q_OBJECT
public:
    explicit PreviewPicture(QSize pageTwips = {4535, 5000}, QWidget *parent = nullptr);

    PrinterSurface &page() { return m_page; }
    const PrinterSurface &page() const { return m_page; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    class Page : public PrinterSurface
    {
    public:
        Page(QSize twips, PreviewPicture *owner);

    protected:
        void pageChanged() override;

    private:
        PreviewPicture *m_owner;
    };

    void followPage();

    Page m_page;
};
