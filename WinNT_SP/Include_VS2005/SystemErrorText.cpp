// System error texts and error-record texts (see SystemErrorText.h).
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "WinNT_SP/Include_VS2005/SupportStrings.h"

#include <mmsystem.h>

std::wstring GetSystemErrorText(DWORD code)
{
    ERR_INFO info;
    ClearErrInfo(&info);
    info.kind = ERRK_SYSTEM;
    info.code = code;
    GetErrorText(&info);
    return info.text;
}

std::wstring FormatSystemError(DWORD code, const wchar_t* functionText, const wchar_t* text)
{
    TRACE_FUNCTION();
    std::wstring body;
    if (text) {
        body = text;
    } else if (code == 0) {
        body = LoadResText(IDS_UNKNOWN_ERROR);
    } else {
        body = GetSystemErrorText(code);
    }
    std::wstring s = FormatResString(IDS_SYSTEM_ERROR, body.c_str(), static_cast<unsigned>(code),
                                     functionText ? functionText : L"");
    if (code == ERROR_ACCESS_DENIED) {
        s += L"\r\n\r\n";
        s += LoadResText(IDS_ACCESS_DENIED_HINT);
    }
    return s;
}

std::wstring GetErrInfoText(const ERR_INFO& info)
{
    TRACE_FUNCTION();
    std::wstring name = info.function;
    if (info.object[0]) {
        name = FormatNewString(L"%s(%s)", info.function, info.object);
    }
    switch (info.kind) {
    case ERRK_SYSTEM:
        return FormatSystemError(info.code, name.c_str(), info.text);
    case ERRK_MULTIMEDIA: {
        // A multimedia result reads like a system error, with the multimedia text of its code,
        // so a failed call never formats as the empty (success) text.
        std::wstring text = info.text;
        if (text.empty()) {
            wchar_t buf[MAXERRORLENGTH] = {};
            if (waveOutGetErrorTextW(info.code, buf, MAXERRORLENGTH) == MMSYSERR_NOERROR) {
                text = buf;
            } else {
                text = FormatNewString(L"SysErr.0x%08X", static_cast<unsigned>(info.code));
            }
        }
        return FormatSystemError(info.code, name.c_str(), text.c_str());
    }
    case ERRK_FORMAT:
        return FormatResString(IDS_BAD_REGISTRY_FORMAT, info.object);
    default:
        return std::wstring();
    }
}

DWORD ShellExecuteResultToError(INT_PTR result)
{
    if (result > 32) {
        return 0;
    }
    switch (result) {
    case 0:
    case 8:
        return ERROR_NOT_ENOUGH_MEMORY;
    case 2:
    case 3:
    case 5:
    case 11:
        return static_cast<DWORD>(result);
    case 26:
        return ERROR_SHARING_VIOLATION;
    case 27:
    case 31:
        return ERROR_NO_ASSOCIATION;
    case 28:
    case 29:
    case 30:
        return ERROR_DDE_FAIL;
    case 32:
        return ERROR_DLL_NOT_FOUND;
    default:
        return ERROR_INVALID_FUNCTION;
    }
}
