#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One cell: a text, a count, or kilograms (shown Turkish, carried as data-kg).
struct PageCell
{
    PageCell(QString text = {}) // NOLINT: a text is the common cell
        : text(std::move(text))
    {
    }
    static PageCell kg(double value)
    {
        PageCell cell;
        cell.kilo = value;
        return cell;
    }
    static PageCell number(qint64 value)
    {
        PageCell cell;
        cell.count = value;
        return cell;
    }

    QString text;
    std::optional<double> kilo;
    std::optional<qint64> count;
};

// A table of a page: the same rows give the HTML and the CSV download, so
// the two never disagree.
struct PageTable
{
    QString id;    // names the table in the page and in /csv/<id>
    QString title; // the section's heading
    QStringList headers;
    QList<QList<PageCell>> rows;
    QList<PageCell> footer; // empty: none; shown, not downloaded
    QString emptyNote;      // shown instead of the rows when there are none
    QString csvLink;        // where the CSV of the rows is; empty: no link

    // The section: heading, download link, and the table or the note.
    QString html() const;
    // The office's CSV: headers, then the rows; kilograms with a decimal point.
    QByteArray csv() const;
};
