// The engine test double behind the engine library's two exports, for the player to bind: it
// answers the player's reader calls and writes each call to the player's trace log through the
// callback object. With ORVANE_FAKE_ENGINE=null its create entry returns null; built with
// FAKE_ONE_EXPORT it exports only the create entry.
#include "tests/support/EngineDouble.h"

#include <cwchar>

namespace {

QVRInstance* g_callback = nullptr;
orvane::test::EngineDouble* g_engine = nullptr;

}  // namespace

extern "C" __declspec(dllexport) IQVRVideo* CreateVideoInterface(QVRInstance* callback)
{
    g_callback = callback;
    wchar_t mode[16] = {};
    GetEnvironmentVariableW(L"ORVANE_FAKE_ENGINE", mode, 16);
    if (wcscmp(mode, L"null") == 0) {
        return nullptr;
    }
    g_engine = new orvane::test::EngineDouble;
    g_engine->trace = callback;
    g_engine->checkAsf = true;
    g_engine->formatRecords = false;
    g_engine->withAudio = g_engine->withCamera = g_engine->withScreen = false;
    g_engine->durations[0] = g_engine->durations[1] = g_engine->durations[2] = 20.0;
    g_engine->stopPosition = 0;
    g_engine->pauseError = nullptr;
    g_engine->canFullScreen = TRUE;
    g_engine->fullScreenRefusal = L"No full screen here.";
    if (callback) {
        callback->Log(0, L"FakeEngine: created");
    }
    return g_engine;
}

#ifndef FAKE_ONE_EXPORT
extern "C" __declspec(dllexport) void ReleaseVideoInterface()
{
    if (g_callback) {
        // The callback object must still be alive here: the player releases the engine first.
        g_callback->Log(0, L"FakeEngine: released");
    }
    delete g_engine;
    g_engine = nullptr;
}
#endif
