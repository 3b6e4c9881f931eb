// HTML Help through a late-bound "HtmlHelpW" of hhctrl.ocx.
#include "player/core/HtmlHelpBinding.h"

#include "WinNT_SP/Include_VS2005/DynLoadFuncs.h"
#include "player/core/PlayerResource.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"

#include <htmlhelp.h>
#include <oleauto.h>
#include <stdlib.h>

namespace {

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

// The viewer's last-error record (the platform header leaves it out).
struct HelpLastError {
    int cbStruct;
    HRESULT hr;
    BSTR description;
};

DynLoadFuncs& HtmlHelpEntry()
{
    static DynLoadFuncs entry("HtmlHelpW", L"hhctrl.ocx", DLF_SINGLE);
    return entry;
}

std::wstring g_helpFile;

}  // namespace

const std::wstring& HelpFilePath() { return g_helpFile; }

std::wstring HelpFilePathFor(const wchar_t* programPath)
{
    wchar_t drive[_MAX_DRIVE], folder[_MAX_DIR], name[_MAX_FNAME], ext[_MAX_EXT];
    if (_wsplitpath_s(programPath, drive, _MAX_DRIVE, folder, _MAX_DIR, name, _MAX_FNAME, ext,
                      _MAX_EXT) != 0) {
        return L"";
    }
    return FormatNewString(L"%s%s%s%s", drive, folder, name, L".chm");
}

std::wstring GetHelpFilePath()
{
    wchar_t path[MAX_PATH + 1] = {};
    if (GetModuleFileNameW(nullptr, path, MAX_PATH + 1) == 0) {
        return FormatSystemError(GetLastError(), L"GetModuleFileName(NULL)");
    }
    g_helpFile = HelpFilePathFor(path);
    return L"";
}

std::wstring BindHtmlHelp()
{
    DynLoadFuncs& entry = HtmlHelpEntry();
    if (entry.Address()) {
        return L"";
    }
    ERR_INFO info;
    ClearErrInfo(&info);
    if (!entry.Load(&info)) {
        return GetErrInfoText(info);
    }
    return GetHelpFilePath();
}

std::wstring ShowHelp(UINT command, DWORD_PTR data)
{
    std::wstring error = BindHtmlHelp();
    if (!error.empty()) {
        return error;
    }
    auto htmlHelp = HtmlHelpEntry().As<HtmlHelpFn>();
    if (htmlHelp(nullptr, g_helpFile.c_str(), command, data)) {
        return L"";
    }
    HelpLastError last = {};
    last.cbStruct = sizeof last;
    if (!htmlHelp(nullptr, nullptr, HH_GET_LAST_ERROR, reinterpret_cast<DWORD_PTR>(&last))) {
        return L"";
    }
    std::wstring description;
    if (last.description) {
        description = last.description;
        SysFreeString(last.description);
    } else {
        description = LoadResText(IDS_HTMLHELP_UNKNOWN);
    }
    return FormatResString(IDS_HTMLHELP_ERROR, command, static_cast<unsigned>(data),
                           g_helpFile.c_str(), description.c_str());
}

void CloseAllHelpWindows()
{
    DynLoadFuncs& entry = HtmlHelpEntry();
    if (entry.Address()) {
        entry.As<HtmlHelpFn>()(nullptr, nullptr, HH_CLOSE_ALL, 0);
    }
}

void UnbindHtmlHelp()
{
    DynLoadFuncs& entry = HtmlHelpEntry();
    if (entry.Address()) {
        entry.Unload();
    }
}
