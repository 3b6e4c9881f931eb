// Test callback object installed for a scope.
#include "tests/video/TestInstance.h"

#include "video/EngineGlobals.h"

ScopedCallback::ScopedCallback() : m_previous(GetEngineCallback())
{
    SetEngineCallback(&instance);
}

ScopedCallback::~ScopedCallback()
{
    SetEngineCallback(m_previous);
}
