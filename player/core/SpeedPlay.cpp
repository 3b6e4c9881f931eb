// The speed list, by the rules of SpeedListRules.h.
#include "player/core/SpeedPlay.h"

#include "player/core/PlayerState.h"
#include "WinNT_SP/Include_VS2005/Sett.h"

SpeedPlay::SpeedPlay() { m_count = SetDefaultSpeedList(m_values, &m_normal); }

bool SpeedPlay::LoadFromText(const wchar_t* text)
{
    return LoadSpeedListText(text, m_values, &m_count, &m_normal);
}

bool SpeedPlay::LoadSpeedList()
{
    return LoadFromText(AppSettings().Item(SETT_SpeedPlayList).GetStringValue());
}

std::wstring SpeedPlay::FormatSpeedList() { return ::FormatSpeedList(m_values, m_count); }

bool SpeedPlay::IsNormalSpeed(double speed)
{
    const double normal = m_values[m_normal];
    return speed == normal || SpeedGridSteps(speed) == SpeedGridSteps(normal);
}

double SpeedPlay::LowestSpeed() { return m_values[0]; }
double SpeedPlay::HighestSpeed() { return m_values[m_count - 1]; }

double SpeedPlay::GetLowerSpeed(double speed)
{
    const long long s = SpeedGridSteps(speed);
    for (int i = m_count - 1; i >= 0; --i) {
        if (SpeedGridSteps(m_values[i]) < s && IsInSpeedRange(m_values[i])) {
            return m_values[i];
        }
    }
    return -1;
}

double SpeedPlay::GetHigherSpeed(double speed)
{
    const long long s = SpeedGridSteps(speed);
    for (int i = 0; i < m_count; ++i) {
        if (SpeedGridSteps(m_values[i]) > s && IsInSpeedRange(m_values[i])) {
            return m_values[i];
        }
    }
    return -1;
}

double SpeedPlay::EntryBelowNormal() { return m_normal > 0 ? m_values[m_normal - 1] : -1; }

double SpeedPlay::EntryAboveNormal()
{
    return m_normal + 1 < m_count ? m_values[m_normal + 1] : -1;
}

double SpeedPlay::ClampSpeed(double speed)
{
    const long long s = SpeedGridSteps(speed);
    if (s < SpeedGridSteps(kMinSpeed)) {
        return kMinSpeed;
    }
    return s > SpeedGridSteps(kMaxSpeed) ? kMaxSpeed : speed;
}

SpeedPlay& TheSpeedList()
{
    static SpeedPlay list;
    return list;
}

void RegisterSpeedList()
{
    SetSpeedListService(&TheSpeedList());
}
