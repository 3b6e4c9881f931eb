// The engine library's application object and the two exports that the player binds by name.
// The framework's library entry initialises the application object when the library loads.
#include "video/QVRVideo.h"

#include "video/EngineLibrary.h"
#include "video/engine/IVideo.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

QVRVideo::~QVRVideo()
{
    TRACE_FUNCTION();
}

namespace {

QVRVideo g_theApp;

}  // namespace

extern "C" __declspec(dllexport) IQVRVideo* __cdecl CreateVideoInterface(QVRInstance* callback)
{
    TRACE_FUNCTION();
    return EngineLibrary::CreateVideoInterface(callback, &IVideo::Create);
}

extern "C" __declspec(dllexport) void __cdecl ReleaseVideoInterface()
{
    TRACE_FUNCTION();
    EngineLibrary::ReleaseVideoInterface();
}
