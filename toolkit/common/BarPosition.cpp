#include "toolkit/common/BarPosition.h"

BOOL IsVerticalBarPosition(int position) noexcept
{
    return position == 2 || position == 3 || position == 5;
}
