// The debug-information file "DebInfo\QVR_sys_<date>_<time>.txt": the settings document, the
// recent log, the audio devices and the engine's graph dump, written on demand.
#pragma once

#include <string>

std::wstring WriteDebugInfoFile();  // error text, empty on success
