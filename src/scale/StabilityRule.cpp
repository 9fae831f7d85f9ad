#include "scale/StabilityRule.h"

#include "station/NumberText.h"
#include "station/SettingsStore.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

std::optional<double> settingNumber(const QString &key)
{
    const QString text = GetAppSetting(u"Properties"_s, key).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (ok)
        return value;
    return NumberText::parse(text);
}

} // namespace

StabilityRule::StabilityRule(int windowMs, double toleranceKg)
    : m_windowMs(std::max(0, windowMs))
    , m_toleranceKg(toleranceKg)
{
}

StabilityRule StabilityRule::fromSettings()
{
    const auto ms = settingNumber(u"StableMs"_s);
    const auto kg = settingNumber(u"StableKg"_s);
    if (!ms || !kg || !std::isfinite(*ms) || !std::isfinite(*kg) || *ms <= 0 || *kg < 0)
        return {};
    return StabilityRule(int(std::min(*ms, 600000.0)), *kg);
}

bool StabilityRule::add(qint64 ms, double kg)
{
    if (!isOn())
        return true;
    // Keep the newest reading older than the window: it shows the run is long enough.
    while (m_readings.size() > 1 && m_readings[1].first <= ms - m_windowMs)
        m_readings.pop_front();
    m_readings.emplace_back(ms, kg);
    if (m_readings.front().first > ms - m_windowMs)
        return false;
    const auto [low, high] = std::minmax_element(
        m_readings.begin(), m_readings.end(),
        [](const auto &a, const auto &b) { return a.second < b.second; });
    return high->second - low->second <= m_toleranceKg;
}
