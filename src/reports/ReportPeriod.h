#pragma once

#include <QDate>
#include <QString>

// The days a shipment report covers: the picker's day, or the whole month
// around it. Movement dates are ISO texts, so both are one inclusive range.
class ReportPeriod
{
public:
    enum class Kind { Day, Month };

    ReportPeriod(Kind kind, QDate date);

    Kind kind() const { return m_kind; }
    QDate date() const { return m_date; }
    QDate first() const;
    QDate last() const;

    // "YYYY-MM-DD", as movements are stored.
    QString firstText() const;
    QString lastText() const;

    // The range in the criteria dialect, for the log:
    // "Tarih=#12/07/2026#" or "Tarih>=#02/01/2024# And Tarih<=#02/29/2024#".
    QString criteriaText() const;

    // Days of the date's month: back to the first, one month on, one day back.
    static int lastDayOfMonth(QDate date);

private:
    Kind m_kind;
    QDate m_date;
};
