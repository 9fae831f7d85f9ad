#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

// A grid's saved column layout: one line per column, "width,#TRUE#" with the
// width in twips (a point as decimal separator) and lines ending in CR LF.
namespace GridLayoutFile {

struct Column
{
    double width = 0;
    bool visible = true;
};

std::optional<QList<Column>> read(const QString &path);
// Replaces the file in one step, so a crash never leaves half a layout.
bool write(const QString &path, const QList<Column> &columns);

enum class Alignment { Left, Right, Centre };

// A heading padded with blanks so it sits centred in its column: the blanks
// go before a left-aligned heading and after a right-aligned one. The
// padding is recomputed from the trimmed caption, so it never accumulates.
QString centredHeading(const QString &caption, double columnWidth, Alignment alignment,
                       const std::function<double(const QString &)> &textWidth);

} // namespace GridLayoutFile
