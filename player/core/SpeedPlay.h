// The process-wide list of playback speeds: parsing and formatting of its stored text
// ("SpeedPlayList"), the neighbour and range questions of the speed commands, and the
// registration of the list as the speed service of the support library and the command states.
#pragma once

#include "WinNT_SP/Include_VS2005/PlayerCoreServices.h"
#include "WinNT_SP/Include_VS2005/SpeedListRules.h"
#include "player/core/SpeedSteps.h"

#include <string>

class SpeedPlay final : public ISpeedListService, public ISpeedSteps {
public:
    SpeedPlay();

    // ISpeedListService
    bool LoadSpeedList() override;
    std::wstring FormatSpeedList() override;
    bool IsNormalSpeed(double speed) override;
    double LowestSpeed() override;
    double HighestSpeed() override;

    // ISpeedSteps
    double GetLowerSpeed(double speed) override;
    double GetHigherSpeed(double speed) override;
    double EntryBelowNormal() override;
    double EntryAboveNormal() override;
    double ClampSpeed(double speed) override;

    // Takes a parsed list when it is usable (at least 3 values, 1.0 neither first nor last);
    // otherwise the default list. Returns whether the given text was taken.
    bool LoadFromText(const wchar_t* text);

    int Count() const { return m_count; }
    int NormalIndex() const { return m_normal; }
    double Value(int index) const { return m_values[index]; }

private:
    double m_values[kMaxSpeeds];
    int m_count = 0;
    int m_normal = 0;
};

// The program's list; registered with the support library (the command states ask it directly).
SpeedPlay& TheSpeedList();
void RegisterSpeedList();
