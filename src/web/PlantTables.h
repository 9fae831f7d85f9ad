#pragma once

#include "web/PageScope.h"
#include "web/PageTable.h"
#include "web/PlantData.h"

#include <optional>

// The tables the plant pages show, read for one request: the shared tables
// through PlantData, the journal from the station folder (none without one).
// Every table is no value when its data cannot be read.
class PlantTables
{
public:
    PlantTables(const QString &stationFolder, const QString &centralUrl);

    // Why the data cannot be reached at all (Turkish); no value when it can.
    std::optional<QString> problem() const;
    // Moves whenever a package, a movement or a journal entry is added;
    // empty when unreadable.
    QString marker() const;

    std::optional<QList<ProductTotal>> products(const PageScope &scope) const;
    static PageTable productTable(const PageScope &scope, const QList<ProductTotal> &totals);
    std::optional<PageTable> customerTable(const PageScope &scope) const;
    std::optional<PageTable> stationTable(const PageScope &scope) const;
    std::optional<PageTable> packageTable(int count) const;
    std::optional<PageTable> slipTable(int count) const;
    std::optional<PageTable> activityTable() const;

private:
    QString m_folder;
    PlantData m_data;
};
