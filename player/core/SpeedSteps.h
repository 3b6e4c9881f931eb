// The speed questions that the command states and tooltips ask of the speed list: the next
// lower and higher speed, the normal speed and the range check.
#pragma once

#include "WinNT_SP/Include_VS2005/SpeedListRules.h"

class ISpeedSteps {
public:
    virtual double GetLowerSpeed(double speed) = 0;   // -1 when there is none
    virtual double GetHigherSpeed(double speed) = 0;  // -1 when there is none
    virtual bool IsNormalSpeed(double speed) = 0;
    virtual double EntryBelowNormal() = 0;            // -1 when the list has none
    virtual double EntryAboveNormal() = 0;
    virtual double ClampSpeed(double speed) = 0;

protected:
    ~ISpeedSteps() = default;
};

// The program's speed list (SpeedPlay.h).
ISpeedSteps& SpeedSteps();
