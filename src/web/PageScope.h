#pragma once

#include "reports/ReportPeriod.h"

#include <QString>
#include <QUrlQuery>
#include <optional>

// The days a page covers and the trade direction, and the links that keep them.
struct PageScope
{
    ReportPeriod period;
    int alsat = 0; // 0 sales, 1 purchases

    // What a page or table asks for: "tarih" a day, "ay" a month (a path
    // ending in "/ay" always a month), "alis=1" purchases; neither date on
    // "/" or a CSV table means today. No value, and `badText` the text, for
    // a date that is not one.
    static std::optional<PageScope> of(const QString &path, const QUrlQuery &query, QString *badText);

    bool daily() const { return period.kind() == ReportPeriod::Kind::Day; }
    // "2026-12-07" or "2026-12".
    QString dateText() const;
    // "tarih=2026-12-07" or "ay=2026-12", and "&alis=1" for `direction` 1.
    QString pageQuery(int direction) const;
    // The day's or month's page in `direction`.
    QString pagePath(int direction) const;
    // The same totals as `tavran report … --csv`.
    QString reportCsvPath() const;
    // The same kind of period `steps` days or months on.
    PageScope moved(int steps) const;
};
