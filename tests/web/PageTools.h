#pragma once

#include "web/PlantPages.h"

#include <QList>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariantList>

// What the plant-page tests share: asking a page, reading its tables back
// the way a browser script would, and filling the tables the pages read.
namespace PageTools {

// "/gun?tarih=2026-12-07" answered by `pages`.
WebResponse get(const PageResponder &pages, const QString &target);

// The rows of the page's table `id` as a browser sees them: each cell's
// data-kg where it has one, else its text; the header row first.
QList<QStringList> tableRows(const QString &html, const QString &id);

// The rows of a CSV answer, its fields unquoted.
QList<QStringList> csvRows(const QByteArray &csv);

// Runs `sql` once per row of values; false with the engine's words in `error`.
bool insert(const QSqlDatabase &db, const QString &sql, const QList<QVariantList> &rows, QString *error);

} // namespace PageTools
