// Traced message boxes (see MessageBoxLayer.h).
#include "WinNT_SP/Include_VS2005/MessageBoxLayer.h"

#include "WinNT_SP/Include_VS2005/RecentLogText.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "platform/framework/window/CWnd.h"

#include <cstdlib>

namespace {

// A box asked for without an owner belongs to the main window (or its active popup) when that
// window is this thread's: the main window is then disabled while the box is up, so it cannot
// be closed, or start another open, under the code that is waiting for the answer.
HWND OwnerFor(HWND owner)
{
    if (owner != nullptr) {
        return owner;
    }
    HWND safe = CWnd::GetSafeOwner_(nullptr, nullptr);
    if (safe == nullptr || GetWindowThreadProcessId(safe, nullptr) != GetCurrentThreadId()) {
        return nullptr;
    }
    return safe;
}

class SystemPresenter final : public IMessageBoxPresenter {
public:
    int Show(const wchar_t* caption, const wchar_t* text, UINT style, UINT, const wchar_t*,
             const MSGBOX_OPTIONS& options) override
    {
        wchar_t answer[16];
        const DWORD n = GetEnvironmentVariableW(L"ORVANE_MSGBOX_ANSWER", answer, 16);
        if (n > 0 && n < 16) {
            return _wtoi(answer);  // headless runs: no window, a fixed answer
        }
        const int r = MessageBoxW(OwnerFor(options.owner), text, caption, style);
        return r == 0 ? -1 : r;
    }
};

SystemPresenter g_systemPresenter;
IMessageBoxPresenter* g_presenter = &g_systemPresenter;

}  // namespace

void SetMessageBoxPresenter(IMessageBoxPresenter* presenter)
{
    g_presenter = presenter ? presenter : &g_systemPresenter;
}

const wchar_t* MessageBoxAnswerName(int result)
{
    switch (result) {
    case 1: return L"IDOK";
    case 2: return L"IDCANCEL";
    case 3: return L"IDABORT";
    case 4: return L"IDRETRY";
    case 5: return L"IDIGNORE";
    case 6: return L"IDYES";
    case 7: return L"IDNO";
    case 8: return L"IDCLOSE";
    case 9: return L"IDHELP";
    case -1: return L"UnableToCreateDialBox";
    default: return L"?";
    }
}

int TracedMessageBox(UINT style, const wchar_t* text, HWND owner, DWORD helpId)
{
    TRACE_FUNCTION();
    const wchar_t* body = text ? text : L"";
    TraceLine(RMD_STAMPED, L"Mess: %s", body);
    std::wstring details;
    bool withDetails = false;
    if (style & MBX_SHOW_LOG) {
        withDetails = true;
    } else if (!(style & MBX_NO_LOG)) {
        withDetails = (style & 0xF) == MB_OK;
    }
    if (withDetails) {
        details = RecentLogText().Text();
    }
    UINT dialogStyle = style & 0x1FFFFFFF;
    if ((style & 0xF0) == 0) {
        dialogStyle |= MB_ICONEXCLAMATION;
    }
    const MSGBOX_OPTIONS options = {owner, helpId};
    const int result = g_presenter->Show(kProductName, body, dialogStyle,
                                         MBXF_NO_CLIENT_EDGE | MBXF_COPY_BUTTON,
                                         withDetails ? details.c_str() : nullptr, options);
    TraceLine(RMD_STAMPED, L"Answ: %i %s", result, MessageBoxAnswerName(result));
    return result;
}

int AppMessageBox(const wchar_t* text)
{
    return DoAppMessageBox(text, MBX_SHOW_LOG, 0);
}

int DoAppMessageBox(const wchar_t* text, UINT style, UINT)
{
    return TracedMessageBox(style, text, nullptr, 0);
}

void ShowSystemErrorMessage(DWORD code, const wchar_t* functionName)
{
    AppMessageBox(FormatSystemError(code, functionName).c_str());
}

int ShowStringMessage(HWND dialog, UINT stringId)
{
    return TracedMessageBox(MBX_NO_LOG, LoadResText(stringId).c_str(), dialog, 0);
}

int DialogMessageBox(HWND dialog, const wchar_t* text, UINT style)
{
    const HWND owner = (dialog && IsWindow(dialog)) ? dialog : nullptr;
    return TracedMessageBox(style, text, owner, 0);
}
