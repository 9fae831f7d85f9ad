#pragma once

#include "data/SqlDialect.h"

// The station folder's SQLite files: rowid as the row key, Turkish order
// and folding done by the program and the connection's turkish_fold.
class SqliteDialect final : public SqlDialect
{
public:
    QString customersOfGroupSql() const override;
    QString productsSql() const override;
    QString movementsSql() const override;
    QString movementSumsSql() const override;
    QString productNamesSql() const override;
    QString movementsInRangeSql(bool oneDirection) const override;
    QString tableDefaultsSql() const override;
    QString columnNamesSql() const override;
    QString rowKey() const override;
    QStringList sharedSchema() const override;
    QString bookMovementSql() const override;
    QString packagesOfLotSql() const override;
    QString packagesOfLabelSql() const override;
    QString lotsDeliveredSql() const override;
    QString customerTitlesSql() const override;
};
