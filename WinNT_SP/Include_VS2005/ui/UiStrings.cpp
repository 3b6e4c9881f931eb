// Built-in copies of the support library's user-interface texts.
#include "WinNT_SP/Include_VS2005/ui/UiStrings.h"

#include <windows.h>

namespace {

struct BuiltIn {
    unsigned id;
    const wchar_t* text;
};

const BuiltIn kTexts[] = {
    {IDS_LEVEL_DB, L"%+i dB"},
    {IDS_LINK_OPEN_FAILED,
     L"Unable to connect to Internet page \"%1\": error %2!u! in the \"ShellExecute\" function "
     L"(%3)"},
    {IDS_HOME_PAGE_URL, L"https://www.orvane.example/player"},
    {IDS_CLIPBOARD_BUSY, L"The Clipboard is busy with another application."},
    {IDS_MB_OK, L"OK"},
    {IDS_MB_CANCEL, L"Cancel"},
    {IDS_MB_IGNORE, L"&Ignore"},
    {IDS_MB_RETRY, L"&Retry"},
    {IDS_MB_YES, L"&Yes"},
    {IDS_MB_NO, L"&No"},
    {IDS_MB_ABORT, L"&Abort"},
    {IDS_MB_COPY_MESSAGE, L"Copy message to the Clipboard"},
    {IDS_MB_COPY_DETAILS, L"Copy debug info to the Clipboard"},
    {IDS_MB_HELP, L"&Help"},
    {IDS_MB_HELP_SENTENCE, L"For additional information, press the \"Help\" button."},
};

}  // namespace

std::wstring LoadUiText(unsigned id)
{
    const wchar_t* res = nullptr;
    const int n = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&res), 0);
    if (n > 0 && res) {
        return std::wstring(res, static_cast<size_t>(n));
    }
    for (const BuiltIn& t : kTexts) {
        if (t.id == id) {
            return t.text;
        }
    }
    return std::wstring();
}
