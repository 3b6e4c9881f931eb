// The speed questions answered by the program's speed list, and the speed range.
#include "SpeedSteps.h"

#include "PlayerState.h"
#include "SpeedPlay.h"

ISpeedSteps& SpeedSteps() { return TheSpeedList(); }

bool IsInSpeedRange(double value)
{
    const long long s = SpeedGridSteps(value);
    return s >= 334 && s <= 3000;
}
