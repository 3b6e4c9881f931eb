// What the support library needs of the player core, behind small interfaces the player fills
// in at start-up: the speed-list operations of the settings defaults, and the audio device
// list and engine graph dump of the debug-information file. Until then a built-in speed list
// with the player's rules stands in, and the dumps are empty.
#pragma once

#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include <string>

class ISpeedListService {
public:
    // Parses SpeedPlayList of the global settings into the player's list; false when it was
    // invalid (the list then holds the default speeds).
    virtual bool LoadSpeedList() = 0;
    virtual std::wstring FormatSpeedList() = 0;  // text of the current list
    virtual bool IsNormalSpeed(double speed) = 0;
    virtual double LowestSpeed() = 0;
    virtual double HighestSpeed() = 0;

protected:
    ~ISpeedListService() = default;
};

class IDebugInfoSource {
public:
    virtual std::wstring DumpPlayDevices() = 0;
    virtual void DumpGraphs(CReleaseModeDebug* sink) = 0;

protected:
    ~IDebugInfoSource() = default;
};

// Null restores the built-in stand-ins.
void SetSpeedListService(ISpeedListService* service);
ISpeedListService& SpeedListService();
void SetDebugInfoSource(IDebugInfoSource* source);
IDebugInfoSource& DebugInfoSource();
