#pragma once

#include <QElapsedTimer>
#include <chrono>

// Tells a deliberate tap from the bounce of a gloved finger: a tap within
// the guard time of the last accepted one is not accepted.
class TapGuard
{
public:
    static constexpr std::chrono::milliseconds GuardTime{400};

    bool accept()
    {
        if (m_last.isValid() && m_last.elapsed() < GuardTime.count())
            return false;
        m_last.start();
        return true;
    }

private:
    QElapsedTimer m_last;
};
