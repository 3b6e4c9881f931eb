// Post-mortem report of a structured exception on a worker thread: the exception line, the
// fault's module, registers, memory at the fault, and a scan of the faulting thread's stack that
// prints the trace-scope records found there and dumps memory behind pointers into modules.
#pragma once

#include <windows.h>

#include <string>

#include "WinNT_SP/Include_VS2005/TraceScope.h"

// Exception name of the report, "?" for codes it does not know.
const wchar_t* ExceptionName(DWORD code);

// Writes the report into sink when there is one and returns the one-line description (format,
// or the standard "Unexpected program exception ..." text when format is null or empty).
std::wstring FormatUnexpectedException(CReleaseModeDebug* sink, DWORD code,
                                       const EXCEPTION_POINTERS* pointers,
                                       const wchar_t* format);

// Hex dump lines of 16 bytes; reads only memory tested as readable.
void HexDump16(CReleaseModeDebug* sink, const wchar_t* prefix, uintptr_t address, DWORD length);

// Prints the trace-scope record at address when there is one; returns whether it was.
bool PrintTraceScope(uintptr_t address, const wchar_t* prefix, CReleaseModeDebug* sink);
