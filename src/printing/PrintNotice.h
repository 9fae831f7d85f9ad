#pragma once

#include <QLabel>

class QPushButton;
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
    // Puts a button `caption` on the strip showing now; a tap on it hides the
    // strip and asks for its topic again. Anything the strip tells next
    // takes the button away.
    void offerRetry(const QString &caption);

signals:
    void retryRequested(const QString &topic);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeRetry();
    void showAs(const QString &topic, const QString &text, bool good);

    QString m_document;
    QPushButton *m_retry = nullptr;
};
