// Diagnostic dumps that describe the machine in the trace log: the start-up header, registry
// keys with their values, the wave and mixer devices and the audio endpoints. Every routine
// writes through LogPrintf into a sink (null: the trace log) and turns each failure into a line.
#pragma once

#include <windows.h>

#include <string>

#include "WinNT_SP/Include_VS2005/TraceScope.h"

void LogStartupHeader(const wchar_t* versionText, CReleaseModeDebug* sink = nullptr);

// The names after maxShown end with a null; with none listed every value is shown.
void LogRegistryKey(unsigned flags, CReleaseModeDebug* sink, HKEY root, const wchar_t* subkey,
                    int maxShown, ...);
// names: a null-terminated list of value names (case-insensitive), or null for all values.
void LogRegistryKeyV(unsigned flags, CReleaseModeDebug* sink, HKEY root, const wchar_t* subkey,
                     const wchar_t* const* names, int maxShown);
// The text after "index: name=" of one registry value.
std::wstring FormatRegistryValue(DWORD type, const BYTE* data, DWORD size, int maxShown);

void LogWaveDevices(CReleaseModeDebug* sink = nullptr);
void LogAudioEndpoints(CReleaseModeDebug* sink = nullptr);
