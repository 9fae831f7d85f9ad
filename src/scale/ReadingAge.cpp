#include "scale/ReadingAge.h"

#include "station/SettingsStore.h"

#include <QLoggingCategory>
#include <algorithm>

using namespace Qt::StringLiterals;

Q_DECLARE_LOGGING_CATEGORY(lcScale)

namespace ReadingAge {

int limitMs(const QString &setting, int pollIntervalMs)
{
    const QString text = setting.trimmed();
    if (!text.isEmpty()) {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (ok && value >= 0)
            return value;
        qCWarning(lcScale) << "MaxReadingAgeMs not usable, keeping the default:" << text;
    }
    // A polled scale answers once an interval: two missed answers are a lost scale.
    return std::max(DefaultLimitMs, 2 * std::max(0, pollIntervalMs));
}

int limitFromSettings(int pollIntervalMs)
{
    return limitMs(GetAppSetting(u"Properties"_s, u"MaxReadingAgeMs"_s), pollIntervalMs);
}

bool isFresh(qint64 ageMs, int limitMs)
{
    return limitMs == 0 || ageMs <= limitMs;
}

} // namespace ReadingAge
