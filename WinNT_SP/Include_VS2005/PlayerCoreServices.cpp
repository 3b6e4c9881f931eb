// Built-in stand-ins of the player-core services (see PlayerCoreServices.h).
#include "WinNT_SP/Include_VS2005/PlayerCoreServices.h"

#include "WinNT_SP/Include_VS2005/Sett.h"
#include "WinNT_SP/Include_VS2005/SpeedListRules.h"

namespace {

// Holds the default list until a valid text is loaded, by the player's rules.
class BuiltInSpeedList final : public ISpeedListService {
public:
    BuiltInSpeedList() { m_count = SetDefaultSpeedList(m_values, &m_normal); }

    bool LoadSpeedList() override
    {
        const wchar_t* text = AppSettings().Item(SETT_SpeedPlayList).GetStringValue();
        return LoadSpeedListText(text, m_values, &m_count, &m_normal);
    }

    std::wstring FormatSpeedList() override { return ::FormatSpeedList(m_values, m_count); }

    bool IsNormalSpeed(double speed) override
    {
        return speed == 1.0 || SpeedGridSteps(speed) == SpeedGridSteps(1.0);
    }
    double LowestSpeed() override { return m_values[0]; }
    double HighestSpeed() override { return m_values[m_count - 1]; }

private:
    double m_values[kMaxSpeeds];
    int m_count = 0;
    int m_normal = 0;
};

class EmptyDebugInfo final : public IDebugInfoSource {
public:
    std::wstring DumpPlayDevices() override { return std::wstring(); }
    void DumpGraphs(CReleaseModeDebug*) override {}
};

ISpeedListService* g_speedList = nullptr;
IDebugInfoSource* g_debugInfo = nullptr;

}  // namespace

void SetSpeedListService(ISpeedListService* service)
{
    g_speedList = service;
}

ISpeedListService& SpeedListService()
{
    static BuiltInSpeedList builtIn;
    return g_speedList ? *g_speedList : builtIn;
}

void SetDebugInfoSource(IDebugInfoSource* source)
{
    g_debugInfo = source;
}

IDebugInfoSource& DebugInfoSource()
{
    static EmptyDebugInfo empty;
    return g_debugInfo ? *g_debugInfo : empty;
}
