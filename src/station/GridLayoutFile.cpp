#include "station/GridLayoutFile.h"

#include "station/SequentialInput.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <cmath>

using namespace Qt::StringLiterals;

namespace GridLayoutFile {

std::optional<QList<Column>> read(const QString &path)
{
    bool ok = false;
    const QStringList fields = SequentialInput::readFile(path, &ok);
    if (!ok)
        return std::nullopt;
    QList<Column> columns;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        Column column;
        column.width = QLocale::c().toDouble(fields[i], &ok);
        if (!ok)
            break;
        column.visible = fields[i + 1].compare(u"#FALSE#"_s, Qt::CaseInsensitive) != 0;
        columns << column;
    }
    return columns;
}

bool write(const QString &path, const QList<Column> &columns)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray text;
    for (const Column &column : columns) {
        text += QLocale::c().toString(column.width, 'g', 15).toLatin1();
        text += column.visible ? ",#TRUE#\r\n" : ",#FALSE#\r\n";
    }
    return file.write(text) == text.size() && file.commit();
}

QString centredHeading(const QString &caption, double columnWidth, Alignment alignment,
                       const std::function<double(const QString &)> &textWidth)
{
    const QString trimmed = caption.trimmed();
    const double blank = textWidth(u" "_s);
    if (blank <= 0)
        return trimmed;
    const double pad = (columnWidth - textWidth(trimmed)) / 2;
    const int n = pad > 0 ? int(std::floor(pad / blank)) : 0;
    if (n <= 0)
        return trimmed;
    const QString blanks(n, u' ');
    switch (alignment) {
    case Alignment::Left: return blanks + trimmed;
    case Alignment::Right: return trimmed + blanks;
    case Alignment::Centre: break;
    }
    return trimmed;
}

} // namespace GridLayoutFile
