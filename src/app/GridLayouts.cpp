#include "app/GridLayouts.h"

#include "station/GridLayoutFile.h"
#include "ui_support/TwipsGeometry.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLoggingCategory>
#include <QTableView>
#include <cmath>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcGrids, "tavran.app.grids")

namespace GridLayouts {
namespace {

// A column is widened by dragging its edge across the screen: twice the
// window's design width is beyond any drag. A wider one comes from a damaged
// file and would take the heading's padding and the grid with it.
constexpr double WidestColumnTwips = 2 * 15270;

GridLayoutFile::Alignment alignmentOf(const QAbstractItemModel *model, int column)
{
    const auto alignment = model->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole)
                               .value<Qt::Alignment>();
    if (alignment & Qt::AlignRight)
        return GridLayoutFile::Alignment::Right;
    if (alignment & Qt::AlignHCenter)
        return GridLayoutFile::Alignment::Centre;
    return GridLayoutFile::Alignment::Left;
}

// Headings are measured in twips with the heading font at design size.
double headingTextWidth(const QTableView *grid, const QString &text, double scale)
{
    const QFontMetricsF metrics(grid->horizontalHeader()->font());
    return metrics.horizontalAdvance(text) * TwipsGeometry::TwipsPerPixel / scale;
}

void recentre(QTableView *grid, int column, double widthTwips, double scale, bool visible)
{
    QAbstractItemModel *model = grid->model();
    const QString caption = model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    QString heading = caption.trimmed();
    if (visible) {
        heading = GridLayoutFile::centredHeading(
            caption, widthTwips, alignmentOf(model, column),
            [&](const QString &text) { return headingTextWidth(grid, text, scale); });
    }
    model->setHeaderData(column, Qt::Horizontal, heading, Qt::EditRole);
}

} // namespace

QString filePath(const QTableView *grid, const QString &folder)
{
    return QDir(folder).filePath(grid->objectName() + u".Dat"_s);
}

void load(QTableView *grid, const QString &folder, double scale)
{
    const QString path = filePath(grid, folder);
    const auto columns = GridLayoutFile::read(path);
    if (!columns || !grid->model())
        return;
    for (int i = 0; i < columns->size() && i < grid->model()->columnCount(); ++i) {
        const auto &column = (*columns)[i];
        grid->setColumnHidden(i, !column.visible);
        if (!(column.width >= 0 && column.width <= WidestColumnTwips)) {
            qCWarning(lcGrids) << "ignoring the width" << column.width << "of column" << i << "in" << path;
            continue;
        }
        grid->setColumnWidth(i, TwipsGeometry::toPixels(int(std::lround(column.width)), scale));
        recentre(grid, i, column.width, scale, column.visible);
    }
}

bool save(QTableView *grid, const QString &folder, double scale)
{
    if (!grid->model())
        return false;
    QList<GridLayoutFile::Column> columns;
    for (int i = 0; i < grid->model()->columnCount(); ++i) {
        GridLayoutFile::Column column;
        column.width = std::round(grid->columnWidth(i) * TwipsGeometry::TwipsPerPixel / scale);
        column.visible = !grid->isColumnHidden(i);
        recentre(grid, i, column.width, scale, column.visible);
        columns << column;
    }
    const QString path = filePath(grid, folder);
    if (!GridLayoutFile::write(path, columns)) {
        qCWarning(lcGrids) << "cannot write the grid layout" << path;
        return false;
    }
    return true;
}

} // namespace GridLayouts
