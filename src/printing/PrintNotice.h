#pragma once

#include <QLabel>

struct PrintJobResult;

// A strip on the main window telling the operator that a print job was
// abandoned and why («Etiket yazdırılamadı: ...»). Hidden until a job fails;
// a click or the next printed job of the same document hides it.
class PrintNotice : public QLabel
{
    Q_OBJECT
public:
    explicit PrintNotice(QWidget *parent = nullptr);

    void report(const PrintJobResult &result);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString m_document;
};
