// Test callback object installed for a scope.
#include "TestInstance.h"

#include "EngineGlobals.h"

ScopedCallback::ScopedCallback() : m_previous(GetEngineCallback())
{
    SetEngineCallback(&instance);
}

ScopedCallback::~ScopedCallback()
{
    SetEngineCallback(m_previous);
}
