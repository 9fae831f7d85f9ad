#include "web/PageTable.h"

#include "station/CsvWriter.h"
#include "station/NumberText.h"
#include "web/PageShell.h"

using namespace Qt::StringLiterals;

namespace {

QString cellHtml(const PageCell &cell, const QString &tag)
{
    if (cell.kilo) {
        return u"<%1 class=\"n\" data-kg=\"%2\">%3</%1>"_s.arg(tag, CsvWriter::kilo(*cell.kilo),
                                                               NumberText::grouped3(*cell.kilo));
    }
    if (cell.count)
        return u"<%1 class=\"n\">%2</%1>"_s.arg(tag, QString::number(*cell.count));
    return u"<%1>%2</%1>"_s.arg(tag, PageShell::escape(cell.text));
}

QString cellCsv(const PageCell &cell)
{
    if (cell.kilo)
        return CsvWriter::kilo(*cell.kilo);
    if (cell.count)
        return QString::number(*cell.count);
    return cell.text;
}

} // namespace

QString PageTable::html() const
{
    QString out = u"<section id=\"%1\"><h2>%2"_s.arg(PageShell::escape(id), PageShell::escape(title));
    if (!csvLink.isEmpty())
        out += u" <a class=\"csv\" href=\"%1\">CSV</a>"_s.arg(PageShell::escape(csvLink));
    out += u"</h2>"_s;
    if (rows.isEmpty() && !emptyNote.isEmpty())
        out += u"<p class=\"bos\">%1</p>"_s.arg(PageShell::escape(emptyNote));
    out += u"<table data-table=\"%1\"><thead><tr>"_s.arg(PageShell::escape(id));
    for (const QString &header : headers)
        out += u"<th>"_s + PageShell::escape(header) + u"</th>"_s;
    out += u"</tr></thead><tbody>"_s;
    for (const QList<PageCell> &row : rows) {
        out += u"<tr>"_s;
        for (const PageCell &cell : row)
            out += cellHtml(cell, u"td"_s);
        out += u"</tr>"_s;
    }
    out += u"</tbody>"_s;
    if (!footer.isEmpty() && !rows.isEmpty()) {
        out += u"<tfoot><tr>"_s;
        for (const PageCell &cell : footer)
            out += cellHtml(cell, u"td"_s);
        out += u"</tr></tfoot>"_s;
    }
    return out + u"</table></section>"_s;
}

QByteArray PageTable::csv() const
{
    QByteArray bytes = CsvWriter::record(headers);
    for (const QList<PageCell> &row : rows) {
        QStringList fields;
        for (const PageCell &cell : row)
            fields << cellCsv(cell);
        bytes += CsvWriter::record(fields);
    }
    return bytes;
}
