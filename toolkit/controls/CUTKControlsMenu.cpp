// CUTKControls' menu import: one Windows menu item becomes a control. The site may replace the
// control (0x285E, checked by run-time class before use) and hears of the result (0x285F); a
// submenu's tab-number id is parsed with a bound on its digits.
#include "toolkit/controls/CUTKControls.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlAction.h"
#include "toolkit/controls/ControlClassRegistry.h"

namespace {

// Nine digits always fit an int and exceed every command id.
constexpr int kMaxIdDigits = 9;

// The decimal number after the tab; 0 when there is none or it is malformed or too long.
int ParseTabNumber(const CString& text)
{
    const int length = text.GetLength();
    int i = 0;
    while (i < length && text[i] == L' ') {
        ++i;
    }
    int value = 0;
    int digits = 0;
    for (; i < length && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        if (++digits > kMaxIdDigits) {
            return 0;
        }
        value = value * 10 + (text[i] - L'0');
    }
    return digits > 0 ? value : 0;
}

CString StripMnemonics(const CString& text)
{
    CString stripped = text;
    stripped.Remove(L'&');
    return stripped;
}

}  // namespace

CUTKControl* CUTKControls::AddMenuItem(CMenu* menu, int position)
{
    return menu ? AddMenuItem(menu->GetSafeHmenu(), position) : nullptr;
}

CUTKControl* CUTKControls::AddMenuItem(HMENU menu, int position)
{
    if (!menu || !::IsMenu(menu)) {
        return nullptr;
    }
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU | MIIM_ID | MIIM_DATA | MIIM_FTYPE;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) {
        return nullptr;
    }
    HMENU subMenu = info.hSubMenu;
    int id = subMenu ? 0 : static_cast<int>(info.wID);
    const BOOL isDefault =
        ::GetMenuDefaultItem(menu, TRUE, GMDI_USEDISABLED) == static_cast<UINT>(position);
    if (!subMenu && info.wID == kSkippedMenuId) {
        return nullptr;
    }

    wchar_t buffer[kMaxMenuText + 1] = {};
    ::GetMenuStringW(menu, static_cast<UINT>(position), buffer, kMaxMenuText, MF_BYPOSITION);
    CString text(buffer);
    if (subMenu) {
        const int tab = text.Find(L'\t');
        if (tab > 0) {
            const int number = ParseTabNumber(text.Mid(tab + 1));
            if (number > 0) {
                id = number;
                text.Truncate(tab);
            }
        }
    }

    CWnd* site = nullptr;
    if (m_commandBars) {
        site = m_commandBars->GetSite();
    } else if (m_parent) {
        site = m_parent->GetOwnerSite();
    }
    const HWND siteWindow = site ? site->GetSafeHwnd() : nullptr;
    int type = subMenu ? utkControlPopup : utkControlButton;

    CreateControlNotify record{};
    record.nID = id;
    record.nIndex = position;
    record.hMenu = menu;
    record.pCommandBar = m_parent;
    record.strCaption = text;
    record.controlType = type;
    CUTKControl* control = nullptr;
    int style = 0;
    if (siteWindow &&
        ::SendMessageW(siteWindow, kUtkCreateControlMessage, 0, reinterpret_cast<LPARAM>(&record))) {
        id = record.nID;
        type = record.controlType;
        const CString answered(record.strCaption ? record.strCaption : L"");
        text = answered;
        style = record.buttonStyle;
        if (record.pControl) {
            auto* object = reinterpret_cast<CObject*>(record.pControl);
            if (object->IsKindOf(RUNTIME_CLASS(CUTKControl))) {
                control = record.pControl;
            }
        }
    }

    if (!control) {
        control = CreateControlOfType(type, id, FALSE, TRUE, text);
        if (!control) {
            return nullptr;
        }
        if (type >= utkControlPopup && type <= utkControlSplitButtonPopup) {
            HMENU source = subMenu;
            HMENU resourceMenu = nullptr;
            if (!source && id > 0) {
                resourceMenu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id));
                source = resourceMenu ? ::GetSubMenu(resourceMenu, 0) : nullptr;
            }
            CUTKCommandBar* bar = CreatePopupBarFor(id, StripMnemonics(text), source);
            if (resourceMenu) {
                ::DestroyMenu(resourceMenu);
            }
            ControlClassRegistry::AttachPopupBar(control, bar);
        }
        control->SetType(type);
        control->SetStyle(style);
        control->SetTag(info.dwItemData);
    }

    if (!control->GetAction()) {
        CUTKCommandBars* bars = GetCommandBars();
        CUTKControlAction* action = bars ? bars->FindAction(id) : nullptr;
        if (!action && bars && bars->IsActionsEnabled() && id >= 1 && id <= 0xFFFFFFE) {
            action = bars->CreateAction(id);
        }
        if (action) {
            control->SetAction(action);
            if (action->GetOwnCaption().IsEmpty()) {
                action->SetCaption(text);
            }
        } else {
            control->SetID(id);
            control->SetCaption(text);
        }
    }
    if (isDefault) {
        control->SetDefaultItem(TRUE);
    }
    Append(control);
    if (siteWindow && ::IsWindow(siteWindow)) {
        record.pControl = control;
        record.nID = control->GetID();
        ::SendMessageW(siteWindow, kUtkControlCreatedMessage, 0, reinterpret_cast<LPARAM>(&record));
    }
    return control;
}
