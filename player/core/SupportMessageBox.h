// The support library's traced message box, declared for files that also include the engine
// interface header (both headers define the box's two flag constants, so they cannot meet in
// one file).
#pragma once

#include <windows.h>

int TracedMessageBox(UINT style, const wchar_t* text, HWND owner, DWORD helpId);
int AppMessageBox(const wchar_t* text);
int DoAppMessageBox(const wchar_t* text, UINT style, UINT helpId);
void ShowSystemErrorMessage(DWORD code, const wchar_t* functionName);
