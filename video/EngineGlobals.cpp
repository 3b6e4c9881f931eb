// Process-wide engine and callback pointers and the engine's four log line formats.
#include "video/EngineGlobals.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "video/EngineText.h"

namespace {

IQVRVideo* g_engine = nullptr;
QVRInstance* g_callback = nullptr;
std::wstring g_graphText;

}  // namespace

IQVRVideo* GetEngineObject()
{
    TRACE_FUNCTION();
    return g_engine;
}

QVRInstance* GetEngineCallback()
{
    TRACE_FUNCTION();
    return g_callback;
}

void SetEngineObject(IQVRVideo* engine)
{
    TRACE_FUNCTION();
    g_engine = engine;
}

void SetEngineCallback(QVRInstance* callback)
{
    TRACE_FUNCTION();
    g_callback = callback;
}

std::wstring& StoredGraphText()
{
    TRACE_FUNCTION();
    return g_graphText;
}

void LogUnexpected(const char* file, unsigned line, const std::wstring& text)
{
    TRACE_FUNCTION();
    if (g_callback) {
        g_callback->Log(0, L"V.Unexp.cond.(%s, %u): %s", SourceFileTitle(file).c_str(), line,
                        text.c_str());
    }
}

void LogUnexpectedHr(const char* file, unsigned line, HRESULT code, const std::wstring& text)
{
    TRACE_FUNCTION();
    if (g_callback) {
        g_callback->Log(0, L"V.Unexp.cond.(%s, %u): HR=0x%X %s", SourceFileTitle(file).c_str(),
                        line, static_cast<unsigned>(code), text.c_str());
    }
}

void LogLocalError(const char* file, unsigned line, const std::wstring& text)
{
    TRACE_FUNCTION();
    if (g_callback) {
        g_callback->Log(0, L"V.Unexp. local err (%s, %u): %s", SourceFileTitle(file).c_str(),
                        line, text.c_str());
    }
}

void LogInfo(const char* file, unsigned line, const std::wstring& text)
{
    TRACE_FUNCTION();
    if (g_callback) {
        g_callback->Log(0, L"V.Info.(%s, %u): %s", SourceFileTitle(file).c_str(), line,
                        text.c_str());
    }
}
