#pragma once

#include <QListView>
#include <QStringList>

class QStringListModel;

// A list box: entries by index, one selected entry. `click` follows every
// change of the selection, by a tap or from code, as the screens expect, and
// every tap on an entry, the highlighted one included;
// `mouseMoved` reports the pointer resting on the list.
class ListBox : public QListView
{
    Q_OBJECT
public:
    explicit ListBox(QWidget *parent = nullptr);

    void clear();
    void addItem(const QString &text);
    void setItems(const QStringList &items);
    int count() const;
    QString item(int index) const;
    QStringList items() const;

    int listIndex() const; // -1 when nothing is selected
    void setListIndex(int index);
    QString text() const;  // the selected entry's text
    int findExact(const QString &text) const;

signals:
    void click();
    void doubleClicked();
    void mouseMoved();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    QStringListModel *m_model;
    bool m_pressedOnSelected = false; // the press landed on the highlighted entry
};
