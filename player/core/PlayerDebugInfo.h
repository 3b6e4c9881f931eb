// What the support library's debug-information file takes from the player core: the audio
// output devices and the engine's filter graphs.
#pragma once

#include "WinNT_SP/Include_VS2005/PlayerCoreServices.h"

class PlayerDebugInfo final : public IDebugInfoSource {
public:
    std::wstring DumpPlayDevices() override;
    void DumpGraphs(CReleaseModeDebug* sink) override;
};

// Registers the speed list and this source with the support library (start-up).
void RegisterPlayerCoreServices();
