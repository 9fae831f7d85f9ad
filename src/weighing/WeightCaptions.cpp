#include "weighing/WeightCaptions.h"

#include "station/NumberText.h"

namespace WeightCaptions {

double value(const QString &caption)
{
    return NumberText::parseWeightCaption(caption).value_or(0.0);
}

bool isNonZero(const QString &caption)
{
    const auto number = NumberText::parseWeightCaption(caption);
    return number && *number != 0.0;
}

std::pair<QString, QString> addPackage(const QString &current, const QString &total)
{
    const QString previous = NumberText::weightCaption(value(current));
    return {previous, NumberText::weightCaption(value(total) + value(previous))};
}

QString grownTotal(const QString &orderTotal, const QString &productTotal)
{
    return NumberText::grouped3(NumberText::parse(orderTotal).value_or(0.0) + value(productTotal));
}

QString reducedTotal(const QString &orderTotal, double kilo)
{
    return NumberText::plain(NumberText::parse(orderTotal).value_or(0.0) - kilo);
}

} // namespace WeightCaptions
