// The library's two process-wide pointers (the engine object and the player's callback
// object) and the engine's log lines, which all go to the player through the callback.
#pragma once

#include "Common/QVRInterfaces.h"

#include <string>

IQVRVideo* GetEngineObject();
QVRInstance* GetEngineCallback();
// Written only by the exports (and by tests standing in for them).
void SetEngineObject(IQVRVideo* engine);
void SetEngineCallback(QVRInstance* callback);

// The text dump of the graph last prepared for playing ("LastPlayGraph:" and its lines).
std::wstring& StoredGraphText();

// "V.Unexp.cond.(%s, %u): %s" and its siblings; nothing when no callback is known yet.
void LogUnexpected(const char* file, unsigned line, const std::wstring& text);
void LogUnexpectedHr(const char* file, unsigned line, HRESULT code, const std::wstring& text);
void LogLocalError(const char* file, unsigned line, const std::wstring& text);
void LogInfo(const char* file, unsigned line, const std::wstring& text);

#define LOG_UNEXPECTED(text) LogUnexpected(__FILE__, __LINE__, (text))
#define LOG_UNEXPECTED_HR(code, text) LogUnexpectedHr(__FILE__, __LINE__, (code), (text))
#define LOG_LOCAL_ERROR(text) LogLocalError(__FILE__, __LINE__, (text))
#define LOG_INFO(text) LogInfo(__FILE__, __LINE__, (text))
