// The exports' logic over the process-wide pointers.
#include "video/EngineLibrary.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "video/EngineGlobals.h"

IQVRVideo* EngineLibrary::CreateVideoInterface(QVRInstance* callback, Factory factory)
{
    TRACE_FUNCTION();
    SetEngineCallback(callback);
    if (IQVRVideo* previous = GetEngineObject()) {
        // A second call without a release in between: the earlier object would be lost.
        LOG_INFO(L"CreateVideoInterface: the previous engine object is destroyed");
        SetEngineObject(nullptr);
        previous->Destroy();
    }
    IQVRVideo* engine = factory ? factory() : nullptr;
    SetEngineObject(engine);
    return engine;
}

void EngineLibrary::ReleaseVideoInterface()
{
    TRACE_FUNCTION();
    IQVRVideo* engine = GetEngineObject();
    if (engine) {
        SetEngineObject(nullptr);
        engine->Destroy();
    }
}
