// Placeholder engine library: the two exports the player binds, with no engine behind them yet.
#include <windows.h>

extern "C" __declspec(dllexport) void* __cdecl CreateVideoInterface(void* /*callback*/)
{
    return nullptr;
}

extern "C" __declspec(dllexport) void __cdecl ReleaseVideoInterface()
{
}
