// System error texts in the program's one layout: the system's text, a blank line,
// "System error code: 0x%X" and "Function: %s.", and the text of an error record.
#pragma once

#include "WinNT_SP/Include_VS2005/ErrInfo.h"

#include <windows.h>

#include <string>

std::wstring GetSystemErrorText(DWORD code);
// text: the system's text of the code when null ("Unknown error" for code 0).
std::wstring FormatSystemError(DWORD code, const wchar_t* functionText,
                               const wchar_t* text = nullptr);
std::wstring GetErrInfoText(const ERR_INFO& info);
DWORD ShellExecuteResultToError(INT_PTR result);
