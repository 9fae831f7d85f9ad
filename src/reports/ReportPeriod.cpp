#include "reports/ReportPeriod.h"

using namespace Qt::StringLiterals;

namespace {

QString isoText(QDate date)
{
    return date.toString(Qt::ISODate);
}

QString criteriaDate(QDate date)
{
    return u'#' + date.toString(u"MM/dd/yyyy"_s) + u'#';
}

} // namespace

ReportPeriod::ReportPeriod(Kind kind, QDate date)
    : m_kind(kind)
    , m_date(date)
{
}

QDate ReportPeriod::first() const
{
    return m_kind == Kind::Day ? m_date : QDate(m_date.year(), m_date.month(), 1);
}

QDate ReportPeriod::last() const
{
    if (m_kind == Kind::Day)
        return m_date;
    return QDate(m_date.year(), m_date.month(), lastDayOfMonth(m_date));
}

QString ReportPeriod::firstText() const
{
    return isoText(first());
}

QString ReportPeriod::lastText() const
{
    return isoText(last());
}

QString ReportPeriod::criteriaText() const
{
    if (m_kind == Kind::Day)
        return u"Tarih="_s + criteriaDate(m_date);
    return u"Tarih>="_s + criteriaDate(first()) + u" And Tarih<="_s + criteriaDate(last());
}

int ReportPeriod::lastDayOfMonth(QDate date)
{
    return QDate(date.year(), date.month(), 1).addMonths(1).addDays(-1).day();
}
