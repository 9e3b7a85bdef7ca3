#include "AutoRandomizeCountdown.h"

#include "Timing.h"

int64_t AutoRandomizePeriodMs64(int minutes)
{
    return static_cast<int64_t>(minutes < 1 ? 1 : minutes) * 60000;
}

void AutoRandomizeCountdown::NextTick()
{
    m_tickMs = m_remainingMs > kMaxTimerPeriodMs ? kMaxTimerPeriodMs : static_cast<uint32_t>(m_remainingMs);
}

uint32_t AutoRandomizeCountdown::Start(int minutes)
{
    m_periodMs = AutoRandomizePeriodMs64(minutes);
    m_remainingMs = m_periodMs;
    NextTick();
    return m_tickMs;
}

bool AutoRandomizeCountdown::Tick(uint32_t& nextTickMs)
{
    m_remainingMs -= m_tickMs;
    bool due = m_remainingMs <= 0;
    if (due)
        m_remainingMs = m_periodMs;
    NextTick();
    nextTickMs = m_tickMs;
    return due;
}
