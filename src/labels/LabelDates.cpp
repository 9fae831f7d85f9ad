#include "labels/LabelDates.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace LabelDates {

QString isoFromLabel(const QString &labelText)
{
    static const QRegularExpression Date(u"(\\d{2})\\.(\\d{2})\\.(\\d{4})"_s);
    const auto m = Date.match(labelText);
    return m.hasMatch() ? m.captured(3) + u'-' + m.captured(2) + u'-' + m.captured(1) : QString();
}

QString labelFromIso(const QString &iso)
{
    static const QRegularExpression Date(u"^(\\d{4})-(\\d{2})-(\\d{2})$"_s);
    const auto m = Date.match(iso);
    return m.hasMatch() ? u": "_s + m.captured(3) + u'.' + m.captured(2) + u'.' + m.captured(1) : QString();
}

} // namespace LabelDates
