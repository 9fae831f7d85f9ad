#include "ui_support/ListBox.h"

#include <QMouseEvent>
#include <QStringListModel>

ListBox::ListBox(QWidget *parent)
    : QListView(parent)
    , m_model(new QStringListModel(this))
{
    setModel(m_model);
    setUniformItemSizes(true); // keeps a 100,000-entry list fast
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMouseTracking(true);
}

void ListBox::clear()
{
    m_model->setStringList({});
}

void ListBox::addItem(const QString &text)
{
    const int row = m_model->rowCount();
    m_model->insertRows(row, 1);
    m_model->setData(m_model->index(row), text);
}

void ListBox::setItems(const QStringList &items)
{
    m_model->setStringList(items);
}

int ListBox::count() const
{
    return m_model->rowCount();
}

QString ListBox::item(int index) const
{
    return m_model->data(m_model->index(index), Qt::DisplayRole).toString();
}

QStringList ListBox::items() const
{
    return m_model->stringList();
}

int ListBox::listIndex() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() && selectionModel()->isSelected(current) ? current.row() : -1;
}

void ListBox::setListIndex(int index)
{
    if (index < 0 || index >= count()) {
        clearSelection();
        setCurrentIndex({});
        return;
    }
    const QModelIndex target = m_model->index(index);
    if (currentIndex() == target && selectionModel()->isSelected(target)) {
        emit click(); // selecting the same entry again still counts as a click
        return;
    }
    setCurrentIndex(target);
    scrollTo(target);
}

QString ListBox::text() const
{
    const int index = listIndex();
    return index >= 0 ? item(index) : QString();
}

int ListBox::findExact(const QString &text) const
{
    return int(m_model->stringList().indexOf(text));
}

void ListBox::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved();
    QListView::mouseMoveEvent(event);
}

void ListBox::mousePressEvent(QMouseEvent *event)
{
    // A tap on the entry already highlighted changes no selection, yet it
    // picks that entry all the same.
    const QModelIndex under = indexAt(event->position().toPoint());
    m_pressedOnSelected = event->button() == Qt::LeftButton && under.isValid()
                          && under == currentIndex() && selectionModel()->isSelected(under);
    QListView::mousePressEvent(event);
}

void ListBox::mouseReleaseEvent(QMouseEvent *event)
{
    QListView::mouseReleaseEvent(event);
    const bool pickedAgain = m_pressedOnSelected && event->button() == Qt::LeftButton
                             && indexAt(event->position().toPoint()) == currentIndex();
    m_pressedOnSelected = false;
    if (pickedAgain)
        emit click();
}

void ListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_pressedOnSelected = false;
    QListView::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void ListBox::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QListView::currentChanged(current, previous);
    if (current.isValid()) {
        selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
        emit click();
    }
}
