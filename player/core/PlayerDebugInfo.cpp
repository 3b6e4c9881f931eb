// Player-core services of the support library, registered once at start-up.
#include "PlayerDebugInfo.h"

#include "DxAudioDevs.h"
#include "SpeedPlay.h"
#include "VideoLibrary.h"

std::wstring PlayerDebugInfo::DumpPlayDevices() { return ::DumpPlayDevices(); }

void PlayerDebugInfo::DumpGraphs(CReleaseModeDebug* sink)
{
    if (VideoEngine()) {
        VideoEngine()->DumpGraphs(sink);
    }
}

void RegisterPlayerCoreServices()
{
    static PlayerDebugInfo source;
    RegisterSpeedList();
    SetDebugInfoSource(&source);
}
