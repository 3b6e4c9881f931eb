// The HTML Help binding: the help viewer is bound on first use, the help file lies beside the
// program with the extension ".chm", and all help windows close when the main window goes.
#pragma once

#include <windows.h>

#include <string>

std::wstring BindHtmlHelp();    // error text
std::wstring GetHelpFilePath(); // error text; fills the help file path
std::wstring ShowHelp(UINT command, DWORD_PTR data);
void CloseAllHelpWindows();
void UnbindHtmlHelp();
// The help file path computed for a program path (C:\P\player.exe gives C:\P\player.chm).
std::wstring HelpFilePathFor(const wchar_t* programPath);
const std::wstring& HelpFilePath();
