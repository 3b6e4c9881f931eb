// The engine library's entry: process attach switches off thread notifications, and the two
// exports that the player binds by name.
#include "EngineLibrary.h"
#include "TraceScope.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" __declspec(dllexport) IQVRVideo* __cdecl CreateVideoInterface(QVRInstance* callback)
{
    TRACE_FUNCTION();
    return EngineLibrary::CreateVideoInterface(callback, &EngineLibrary::CreateEngineObject);
}

extern "C" __declspec(dllexport) void __cdecl ReleaseVideoInterface()
{
    TRACE_FUNCTION();
    EngineLibrary::ReleaseVideoInterface();
}
