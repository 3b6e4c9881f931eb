// Built-in stand-ins of the player-core services (see PlayerCoreServices.h).
#include "PlayerCoreServices.h"

#include "ListText.h"
#include "Sett.h"
#include "SupportStrings.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace {

const double kDefaultSpeeds[] = {0.35, 0.5, 0.7, 1.0, 1.5, 2.0, 3.0};

class BuiltInSpeedList final : public ISpeedListService {
public:
    BuiltInSpeedList() { UseDefault(); }

    bool LoadSpeedList() override
    {
        const wchar_t* text = AppSettings().Item(SETT_SpeedPlayList).GetStringValue();
        std::vector<double> values;
        ListTextItem items[64];
        const int n = SplitListText(text, L',', L'"', 64, items);
        bool ok = n > 0 && n <= 64;
        for (int i = 0; ok && i < n; ++i) {
            const std::wstring item(items[i].start, items[i].length);
            wchar_t* end = nullptr;
            const double v = std::wcstod(item.c_str(), &end);
            ok = !item.empty() && end && *end == 0 && v > 0;
            values.push_back(v);
        }
        if (ok && std::find(values.begin(), values.end(), 1.0) == values.end()) {
            values.push_back(1.0);
        }
        std::sort(values.begin(), values.end());
        ok = ok && values.size() > 2 && values.size() <= 64 && values.front() != 1.0 &&
             values.back() != 1.0 &&
             std::adjacent_find(values.begin(), values.end()) == values.end();
        if (!ok) {
            UseDefault();
            return false;
        }
        m_values = values;
        return true;
    }

    std::wstring FormatSpeedList() override
    {
        std::wstring s;
        bool first = true;
        for (double v : m_values) {
            if (v == 1.0) {
                continue;
            }
            s += FormatNewString(first ? L"%g" : L",%g", v);
            first = false;
        }
        return s;
    }

    bool IsNormalSpeed(double speed) override
    {
        return speed == 1.0 || SpeedGridValue(speed) == SpeedGridValue(1.0);
    }
    double LowestSpeed() override { return m_values.front(); }
    double HighestSpeed() override { return m_values.back(); }

private:
    void UseDefault() { m_values.assign(std::begin(kDefaultSpeeds), std::end(kDefaultSpeeds)); }
    std::vector<double> m_values;
};

class EmptyDebugInfo final : public IDebugInfoSource {
public:
    std::wstring DumpPlayDevices() override { return std::wstring(); }
    void DumpGraphs(CReleaseModeDebug*) override {}
};

ISpeedListService* g_speedList = nullptr;
IDebugInfoSource* g_debugInfo = nullptr;

}  // namespace

long long SpeedGridValue(double value)
{
    const double q = value / 0.001 + (value < 0 ? -0.499999 : 0.499999);
    return static_cast<long long>(q);
}

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
