#include "scale/ScaleCapacity.h"

#include "station/NumberText.h"
#include "station/SettingsStore.h"

#include <QLocale>
#include <QLoggingCategory>
#include <cmath>

using namespace Qt::StringLiterals;

Q_DECLARE_LOGGING_CATEGORY(lcScale)

namespace ScaleCapacity {

double maxKg()
{
    const QString text = GetAppSetting(u"Properties"_s, u"MaxKg"_s).trimmed();
    if (text.isEmpty())
        return DefaultMaxKg;
    // Written by hand as "3000", "1500.5" or "1500,5".
    bool ok = false;
    double value = QLocale::c().toDouble(text, &ok);
    if (!ok)
        value = NumberText::parse(text).value_or(0.0);
    if (!std::isfinite(value) || value <= 0.0) {
        qCWarning(lcScale) << "MaxKg not usable, keeping" << DefaultMaxKg << "kg:" << text;
        return DefaultMaxKg;
    }
    return value;
}

bool isAddable(const QString &caption, double maxKg)
{
    const auto value = NumberText::parseWeightCaption(caption);
    return value && std::isfinite(*value) && *value != 0.0 && std::fabs(*value) <= maxKg;
}

} // namespace ScaleCapacity
