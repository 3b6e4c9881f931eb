// Shared steps of the list placeholders' expansion.
#include "toolkit/controls/PlaceholderExpansion.h"

#include <ole2.h>

#include "platform/framework/frame/CMDIFrameWnd.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/common/CUTKResourceManager.h"
#include "toolkit/controls/CUTKControls.h"

CString FormatNumberedCaption(const CString& text, int number)
{
    CString doubled = text;
    doubled.Replace(L"&", L"&&");
    CString caption;
    if (number <= 0)
        caption = doubled;
    else if (number < 10)
        caption.Format(L"&%i %s", number, static_cast<LPCWSTR>(doubled));
    else if (number == 10)
        caption.Format(L"1&0 %s", static_cast<LPCWSTR>(doubled));
    else
        caption.Format(L"%i %s", number, static_cast<LPCWSTR>(doubled));
    return caption;
}

int PlaceholderExpansion::RemoveGenerated(CUTKControl* placeholder, int maxCount,
                                          const std::function<BOOL(CUTKControl*)>& generatedByIt)
{
    CUTKControls* controls = placeholder != nullptr ? placeholder->GetControls() : nullptr;
    if (controls == nullptr)
        return 0;
    int removed = 0;
    const int next = placeholder->GetIndex() + 1;
    while (removed < maxCount && next < controls->GetCount()) {
        CUTKControl* control = controls->GetAt(next);
        if (control == nullptr || !control->IsTemporary() || !generatedByIt(control))
            break;
        controls->Remove(control);
        ++removed;
    }
    return removed;
}

CMDIFrameWnd* PlaceholderExpansion::FindMdiFrame(const CUTKControl* placeholder)
{
    CWnd* site = placeholder != nullptr ? placeholder->GetSite() : nullptr;
    for (HWND wnd = site != nullptr ? site->GetSafeHwnd() : nullptr; wnd != nullptr;
         wnd = ::GetParent(wnd)) {
        if (auto* frame = DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(wnd)))
            return frame;
    }
    return nullptr;
}

HWND PlaceholderExpansion::FindMdiClient(const CUTKControl* placeholder)
{
    CMDIFrameWnd* frame = FindMdiFrame(placeholder);
    if (frame == nullptr || frame->m_hWndMDIClient == nullptr ||
        !::IsWindow(frame->m_hWndMDIClient))
        return nullptr;
    return frame->m_hWndMDIClient;
}

BOOL PlaceholderExpansion::IsCustomizeMode(const CUTKControl* placeholder)
{
    CUTKCommandBar* bar = placeholder != nullptr ? placeholder->GetParent() : nullptr;
    return bar != nullptr && bar->IsCustomizeMode();
}

void PlaceholderExpansion::SetPromptFromString(CUTKControl* control, UINT stringId)
{
    BOOL notFound = TRUE;
    const CString text = GetResourceManager()->LoadString(stringId, &notFound);
    if (notFound || text.IsEmpty())
        return;
    CString part;
    if (text.Find(L'\n') >= 0) {
        AfxExtractSubString(part, text, 0, L'\n');
        control->SetDescription(part);
        AfxExtractSubString(part, text, 1, L'\n');
        control->SetTooltip(part);
    } else {
        control->SetDescription(text);
        control->SetTooltip(text);
    }
    if (AfxExtractSubString(part, text, 3, L'\n'))
        control->SetKeyboardTip(part);
}

BOOL PlaceholderExpansion::IsCustomizeDragOverAvail(CUTKCommandBar* bar, DWORD& effect)
{
    if (bar != nullptr && bar->GetType() == 2)
        return TRUE;
    effect = DROPEFFECT_NONE;
    return FALSE;
}
