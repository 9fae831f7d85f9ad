#pragma once

#include "data/SqlDialect.h"

// The central server: an identity column "Sira" at the end of each shared
// table as the row key, Turkish order and case through the ICU collation
// "tr-x-icu" in the statements, and a unique "Anahtar" on every booked
// movement so a retried booking adds nothing twice. The recordsets still
// sort by the program's Turkish order, so equal-but-for-case names fall the
// same way on both engines.
class PostgresDialect final : public SqlDialect
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
