#pragma once

#include <QLabel>

struct PrintJobResult;

// A strip on the main window telling the operator that a print job was
// abandoned and why («Etiket yazdırılamadı: ...»), or that another step
// failed. Hidden until something fails; a click, the next printed job of the
// same document or the same step done right hides it.
class PrintNotice : public QLabel
{
    Q_OBJECT
public:
    explicit PrintNotice(QWidget *parent = nullptr);

    void report(const PrintJobResult &result);
    // Shows `text` for `topic` (a document or a step); withdraw hides it
    // when the strip still shows that topic.
    void tell(const QString &topic, const QString &text);
    // Good news for `topic`, in green, so it never reads as a failure.
    void tellGood(const QString &topic, const QString &text);
    void withdraw(const QString &topic);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void showAs(const QString &topic, const QString &text, bool good);

    QString m_document;
};
