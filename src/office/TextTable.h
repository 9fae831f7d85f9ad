#pragma once

#include <QList>
#include <QStringList>

// Columns aligned with blanks for a terminal: text to the left, numbers to
// the right. Widths count characters, so Turkish letters line up.
class TextTable
{
public:
    enum class Align { Left, Right };

    explicit TextTable(QList<Align> columns);
    void addRow(QStringList cells);
    // A line under the rows, its cells aligned with theirs (a total).
    void addFooter(QStringList cells);

    QString text() const;

private:
    QList<Align> m_align;
    QList<QStringList> m_rows;
    qsizetype m_footerAt = -1;
};
