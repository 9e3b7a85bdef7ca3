#include "CornerWatcher.h"

#include "OptionsRules.h"
#include "framework/ProfileStore.h"

CornerSettings ReadCornerSettings(ProfileStore& profile)
{
    CornerSettings s;
    s.corner = NormalizeCorner(profile.GetProfileInt("Settings", "Screen Saver Activate Corner", 0));
    s.pixel = ClampToRange(profile.GetProfileInt("Settings", "Screen Saver Pixel", 1), kCornerPixelMin, kCornerPixelMax);
    s.pollMs = ClampToRange(profile.GetProfileInt("Settings", "Screen Saver Timer", 500), kCornerTimeMin, kCornerTimeMax);
    s.delayMs = ReadCornerDelayMs(profile);
    s.disableCorner = NormalizeCorner(profile.GetProfileInt("Settings", "Screen Saver Disable Corner", 0));
    return s;
}

int ReadCornerDelayMs(ProfileStore& profile)
{
    return ClampToRange(profile.GetProfileInt("Settings", "Screen Saver Delay", 500), kCornerTimeMin, kCornerTimeMax);
}

namespace {

const char* const kCornerEntries[5] = {"Screen Saver Activate Corner", "Screen Saver Pixel", "Screen Saver Timer",
                                       "Screen Saver Delay", "Screen Saver Disable Corner"};
int CornerSettings::*const kCornerMembers[5] = {&CornerSettings::corner, &CornerSettings::pixel,
                                                &CornerSettings::pollMs, &CornerSettings::delayMs,
                                                &CornerSettings::disableCorner};

}  // namespace

CornerPageRead ReadCornerPage(ProfileStore& profile)
{
    CornerPageRead read;
    for (int i = 0; i < 5; ++i)
        read.stored[i] = ReadProfileValue(profile, "Settings", kCornerEntries[i]);
    read.shown = ReadCornerSettings(profile);
    return read;
}

WritePlan PlanCornerSave(ProfileStore& profile, const CornerPageRead& read, const CornerSettings& left)
{
    WritePlan plan;
    for (int i = 0; i < 5; ++i)
        PlanInt(plan, std::string("Settings\\") + kCornerEntries[i], ProfileValuePut(profile, "Settings", kCornerEntries[i]),
                read.stored[i], read.shown.*kCornerMembers[i], left.*kCornerMembers[i]);
    return plan;
}

void CornerWatcher::Reload(const CornerSettings& settings, int screenWidth, int screenHeight)
{
    m_corner = NormalizeCorner(settings.corner);
    m_rect = ComputeCornerRect(m_corner, settings.pixel, screenWidth, screenHeight);
    if (m_corner == 0) {
        if (m_polling)
            m_timers.KillPollTimer();
        m_polling = false;
        return;
    }
    if (m_polling)
        return;
    m_polling = m_timers.StartPollTimer(static_cast<uint32_t>(settings.pollMs));
    if (!m_polling)
        m_timers.ReportTimerFailure();
}

void CornerWatcher::Poll(int x, int y, int delayMs)
{
    if (m_corner == 0)
        return;
    if (m_rect.Contains(x, y)) {
        if (m_started || m_delaying)
            return;
        m_delaying = m_timers.StartDelayTimer(static_cast<uint32_t>(delayMs));
        if (m_delaying)
            m_started = true;
        else
            m_timers.ReportTimerFailure();
        return;
    }
    if (m_delaying)
        m_timers.KillDelayTimer();
    m_delaying = false;
    m_started = false;
}

void CornerWatcher::DelayEnded(int x, int y)
{
    if (!m_delaying)
        return;  // a delay the pointer cut short by leaving
    m_timers.KillDelayTimer();
    m_delaying = false;
    // The started flag stays: once per stay in the corner.
    if (m_rect.Contains(x, y))
        m_timers.StartScreenSaver();
}

void CornerWatcher::Stop()
{
    if (m_polling)
        m_timers.KillPollTimer();
    if (m_delaying)
        m_timers.KillDelayTimer();
    m_polling = m_delaying = false;
}
