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

QString url()
{
    if (override())
        return *override();
    return regText(ReadRegValue(Name));
}

} // namespace DatabaseSetting
