// How a process recognises the stand-in runtime: the private export "OrvaneWmvcoreStandIn"
// returns this value (the system's wmvcore.dll has no such export).
#pragma once

#include <windows.h>

namespace orvane::wmv {

inline constexpr DWORD kStandInMagic = 0x4F57'4D56;  // "OWMV"
inline constexpr char kStandInExport[] = "OrvaneWmvcoreStandIn";

}  // namespace orvane::wmv
