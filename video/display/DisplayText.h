// The display's user-facing texts (renderer trouble, the video context menu) and the renderer
// names shared by the view controller and the settings page.
#pragma once

#include <windows.h>

// The renderer kinds, numbered as the "VideoRender" playback setting.
enum RendererKind { kRendererEvr = 0, kRendererVmr9 = 1, kRendererVmr7 = 2, kRendererCount = 3 };

// "EVR", "VMR9", "VMR7"; empty for a kind out of range.
const wchar_t* RendererName(int kind);

// The display's strings by engine string id, falling back to the engine's table.
const wchar_t* DisplayString(UINT id);
