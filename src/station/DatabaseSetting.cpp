#include "station/DatabaseSetting.h"

#include "station/SettingsStore.h"

#include <optional>

namespace DatabaseSetting {
namespace {

std::optional<QString> &override()
{
    static std::optional<QString> value;
    return value;
}

} // namespace

void setOverride(const QString &url)
{
    override() = url;
}

QString url(QString *problem)
{
    if (override())
        return *override();
    const StationKey::Lookup found = StationKey().lookup(Name);
    if (!found.readable() && problem)
        *problem = QStringLiteral("Ayar dosyası okunamadı: ") + found.problem;
    return regText(found.value);
}

} // namespace DatabaseSetting
