// The engine tests' callback object: the shared stand-in for the player's callback object
// (tests/support), installed as the engine's callback for the scope of a test.
#pragma once

#include "tests/support/CallbackDouble.h"

using TestInstance = orvane::test::CallbackDouble;

// Installs a test callback object as the engine's callback for the scope of a test.
class ScopedCallback {
public:
    ScopedCallback();
    ~ScopedCallback();
    ScopedCallback(const ScopedCallback&) = delete;
    ScopedCallback& operator=(const ScopedCallback&) = delete;
    TestInstance instance;

private:
    QVRInstance* m_previous;
};
