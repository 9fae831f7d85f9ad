#include "station/CsvWriter.h"

#include <QLocale>
#include <csv.h>

namespace CsvWriter {
namespace {

bool needsQuotes(const QByteArray &field)
{
    for (char c : field) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n')
            return true;
    }
    return false;
}

} // namespace

QByteArray record(const QStringList &fields, Quote quote)
{
    QByteArray line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        const QByteArray field = fields[i].toUtf8();
        if (quote == Quote::AsNeeded && !needsQuotes(field)) {
            line += field;
            continue;
        }
        const size_t size = csv_write(nullptr, 0, field.constData(), size_t(field.size()));
        QByteArray quoted(qsizetype(size), Qt::Uninitialized);
        csv_write(quoted.data(), size, field.constData(), size_t(field.size()));
        line += quoted;
    }
    line += "\r\n";
    return line;
}

QString kilo(double value)
{
    return QLocale::c().toString(value, 'f', 3);
}

} // namespace CsvWriter
