#include "labels/LabelContent.h"

#include "station/NumberText.h"
#include "weighing/WeightCaptions.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace LabelContent {
namespace {
const QString ShortDate = u"dd.MM.yyyy"_s;
}

QString productionDateText(const QDate &today)
{
    return u": "_s + today.toString(ShortDate);
}

std::optional<int> useByDays(const QString &text)
{
    // Digits only: "3.5" would read as 35 with the grouping point and "-5"
    // would date the use-by before the production.
    static const QRegularExpression WholeNumber(u"^[0-9]{1,4}$"_s);
    const QString trimmed = text.trimmed();
    if (!WholeNumber.match(trimmed).hasMatch())
        return std::nullopt;
    const int days = trimmed.toInt();
    if (days < 1 || days > MaxUseByDays)
        return std::nullopt;
    return days;
}

std::optional<QString> useByDateText(const QDate &today, bool yearRule, const QString &days)
{
    if (yearRule) {
        // Day and month stay as they are, so 29 February names the next
        // year's 29 February, as the plant's labels always have.
        return u": "_s + today.toString(u"dd.MM"_s) + u'.'
               + QString::number(today.year() + 1).rightJustified(4, u'0');
    }
    const auto count = useByDays(days);
    if (!count)
        return std::nullopt;
    return u": "_s + today.addDays(*count).toString(ShortDate);
}

std::optional<QString> barcodeCode(const QString &barkod, const QString &weightCaption)
{
    const double kilograms = WeightCaptions::value(weightCaption);
    QString grams = NumberText::fixed(kilograms, 3);
    if (grams.startsWith(u'-'))
        return std::nullopt;
    grams.remove(u',');
    if (grams.size() > 5)
        return std::nullopt;
    return barkod + grams.rightJustified(5, u'0');
}

QString weightTooLargeReason(const QString &weightCaption)
{
    if (WeightCaptions::value(weightCaption) < 0)
        return u"ağırlık (%1) eksi; barkoda yazılamaz"_s.arg(weightCaption.trimmed());
    return u"ağırlık (%1) barkoda sığmıyor; en çok 99,999 Kg olabilir"_s.arg(weightCaption.trimmed());
}

QString useByDaysReason(const QString &days)
{
    return u"son kullanma gün sayısı (Tavran.Txt 8. satır: \"%1\") 1 ile %2 arasında tam sayı değil"_s
        .arg(days)
        .arg(MaxUseByDays);
}

} // namespace LabelContent
