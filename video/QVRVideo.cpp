// The engine library's application object and the two exports that the player binds by name.
// The framework's library entry initialises the application object when the library loads.
#include "QVRVideo.h"

#include "EngineLibrary.h"
#include "IVideo.h"
#include "TraceScope.h"

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
