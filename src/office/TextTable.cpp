#include "office/TextTable.h"

TextTable::TextTable(QList<Align> columns)
    : m_align(std::move(columns))
{
}

void TextTable::addRow(QStringList cells)
{
    m_rows.append(std::move(cells));
}

void TextTable::addFooter(QStringList cells)
{
    m_footerAt = m_rows.size();
    m_rows.append(std::move(cells));
}

QString TextTable::text() const
{
    QList<qsizetype> widths(m_align.size(), 0);
    for (const QStringList &row : m_rows) {
        for (qsizetype i = 0; i < row.size() && i < widths.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
    }
    qsizetype lineWidth = 0;
    for (qsizetype w : widths)
        lineWidth += w;
    lineWidth += 2 * (widths.size() - 1);

    QString text;
    for (qsizetype r = 0; r < m_rows.size(); ++r) {
        if (r == m_footerAt)
            text += QString(lineWidth, u'-') + u'\n';
        QString line;
        for (qsizetype i = 0; i < widths.size(); ++i) {
            const QString cell = m_rows[r].value(i);
            if (i > 0)
                line += u"  ";
            line += m_align[i] == Align::Right ? cell.rightJustified(widths[i])
                                               : cell.leftJustified(widths[i]);
        }
        while (line.endsWith(u' '))
            line.chop(1);
        text += line + u'\n';
    }
    return text;
}
