// Error records of failed system calls: what failed, where, the code and its message text,
// looked up once when the record is filled (system, DirectShow, Windows Media, WinINet).
#pragma once

#include <windows.h>

enum ErrInfoKind : DWORD {
    ERRK_EMPTY = 0,
    ERRK_SYSTEM = 1,      // system, COM or HRESULT code
    ERRK_MULTIMEDIA = 2,  // multimedia result code
    ERRK_FORMAT = 3,      // bad value format; object names the value
};

struct ERR_INFO_NOTE {
    DWORD value;
    wchar_t text[260];
};

struct ERR_INFO {
    DWORD kind;
    DWORD code;
    wchar_t text[256];
    wchar_t function[64];
    wchar_t object[256];
    wchar_t sourceFile[256];
    // Offset of the file-name part in sourceFile (kept as an offset so copies stay valid).
    DWORD fileNameOffset;
    DWORD line;
    ERR_INFO_NOTE notes[3];

    const wchar_t* FileName() const { return sourceFile + fileNameOffset; }
};

void ClearErrInfo(ERR_INFO* info);
void SetErrInfo(ERR_INFO* info, DWORD code, const wchar_t* function, const wchar_t* object,
                const wchar_t* sourceFile, DWORD line, DWORD noteValue, const wchar_t* noteText);
// Fills text for a kind-1 record; other kinds and null are left as they are.
void GetErrorText(ERR_INFO* info);

// The source file name for SetErrInfo, as a wide literal.
#define ORV_WIDEN2(x) L##x
#define ORV_WIDEN(x) ORV_WIDEN2(x)
#define ORV_SRCFILE ORV_WIDEN(__FILE__)
