// Bar positions of the command bars (0 top, 1 bottom, 2 left, 3 right, 4 floating, 5 popup,
// 6 list, 7 none) and the test painters use to pick vertical layouts.
#pragma once

#include <windows.h>

// TRUE for left, right and popup.
BOOL IsVerticalBarPosition(int position) noexcept;
