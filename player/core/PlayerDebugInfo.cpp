// Player-core services of the support library, registered once at start-up.
#include "player/core/PlayerDebugInfo.h"

#include "player/core/DxAudioDevs.h"
#include "player/core/SpeedPlay.h"
#include "player/core/VideoLibrary.h"

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
