// The speed questions answered by the program's speed list.
#include "player/core/SpeedSteps.h"

#include "player/core/PlayerState.h"
#include "player/core/SpeedPlay.h"

ISpeedSteps& SpeedSteps() { return TheSpeedList(); }
