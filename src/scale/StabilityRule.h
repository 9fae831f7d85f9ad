#pragma once

#include <QString>
#include <deque>
#include <utility>

// The station's own judgement of a scale that reports no state: a weight
// is stable when every reading of the last `windowMs` milliseconds lies
// within `toleranceKg` of the others, and the readings cover that long.
// Off (every reading stable) unless both application settings "StableMs"
// and "StableKg" are set.
class StabilityRule
{
public:
    StabilityRule() = default;
    StabilityRule(int windowMs, double toleranceKg);

    // From the application settings; off when either is unset or unusable.
    static StabilityRule fromSettings();

    bool isOn() const { return m_windowMs > 0; }
    int windowMs() const { return m_windowMs; }
    double toleranceKg() const { return m_toleranceKg; }

    // A reading of `kg` at `ms` (a steady clock); whether the weight is
    // stable with it.
    bool add(qint64 ms, double kg);
    // A reading without a weight breaks the run.
    void clear() { m_readings.clear(); }

private:
    int m_windowMs = 0;
    double m_toleranceKg = 0.0;
    std::deque<std::pair<qint64, double>> m_readings;
};
