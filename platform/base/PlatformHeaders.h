// The Windows headers nearly every file of the tree includes, precompiled once per target (see
// platform/base/CMakeLists.txt): parsing them was most of a typical file's compile time. The C++
// library stays out: with <string> in a precompiled header, GCC 12 reports false array-bounds
// errors from the C runtime's inline wmemcpy, and a larger header costs more to load than it saves.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
