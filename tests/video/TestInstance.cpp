// Test callback object.
#include "TestInstance.h"

#include "EngineGlobals.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

void TestInstance::Log(int /*level*/, const wchar_t* format, ...)
{
    wchar_t buffer[4000];
    va_list args;
    va_start(args, format);
    _vsnwprintf(buffer, 3999, format, args);
    va_end(args);
    buffer[3999] = L'\0';
    lines.push_back(buffer);
}

void TestInstance::GetCommandStates(void* out)
{
    std::memset(out, 0, sizeof(COMMAND_STATES));
}

bool TestInstance::Logged(const std::wstring& text) const
{
    for (const std::wstring& line : lines) {
        if (line.find(text) != std::wstring::npos) {
            return true;
        }
    }
    return false;
}

std::wstring TestInstance::All() const
{
    std::wstring all;
    for (const std::wstring& line : lines) {
        all += line + L"\n";
    }
    return all;
}

ScopedCallback::ScopedCallback() : m_previous(GetEngineCallback())
{
    SetEngineCallback(&instance);
}

ScopedCallback::~ScopedCallback()
{
    SetEngineCallback(m_previous);
}
