// The speed questions answered by the program's speed list.
#include "SpeedSteps.h"

#include "PlayerState.h"
#include "SpeedPlay.h"

ISpeedSteps& SpeedSteps() { return TheSpeedList(); }
