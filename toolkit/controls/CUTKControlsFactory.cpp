// CUTKControls' factory: controls by type number (special ids of type 1 give placeholders),
// binding to actions or to the id's string resource, popup bars offered by the site, and the
// change of a control's type in place. The menu import is in CUTKControlsMenu.cpp.
#include "toolkit/controls/CUTKControls.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlAction.h"
#include "toolkit/controls/ControlClassRegistry.h"

CWnd* CUTKControls::GetNotifySite() const
{
    if (m_commandBars) {
        if (CWnd* site = m_commandBars->GetSite()) {
            return site;
        }
    }
    if (CUTKCommandBars* bars = GetCommandBars()) {
        if (CWnd* site = bars->GetSite()) {
            return site;
        }
    }
    return m_parent ? m_parent->GetOwnerSite() : nullptr;
}

CUTKControl* CUTKControls::CreateControlOfType(int type, int id, BOOL temporary, BOOL menuImport,
                                               LPCWSTR menuText)
{
    using K = ControlClassRegistry::Kind;
    K kind = K::None;
    switch (type) {
    case 1:
        kind = K::Button;
        if (id == kWindowListId) {
            kind = K::WindowList;
        } else if (id == kWorkspaceActionsId) {
            kind = K::WorkspaceActions;
        } else if (id == kToolbarListId) {
            kind = K::ToolbarList;
        } else if (menuImport) {
            if (id == kMenuOleVerbsId && menuText &&
                CString(menuText) == L"<<OLE VERBS GO HERE>>") {
                kind = K::OleItems;
            } else if (id == kMenuRecentFileId) {
                kind = K::RecentFileList;
            }
        } else if (id == kRecentFileListId && !temporary) {
            kind = K::RecentFileList;
        }
        break;
    case 2:
    case 3:
    case 4:
        kind = K::Popup;
        break;
    case 5: kind = K::ComboBox; break;
    case 6: kind = K::Edit; break;
    case 7: kind = menuImport ? K::None : K::Custom; break;
    case 8: kind = K::Label; break;
    case 9: kind = K::CheckBox; break;
    case 10: kind = K::Gallery; break;
    case 11: kind = K::RadioButton; break;
    default: break;
    }
    return kind == K::None ? nullptr : ControlClassRegistry::Create(kind);
}

CUTKCommandBar* CUTKControls::CreatePopupBarFor(int id, LPCWSTR caption, HMENU subMenu)
{
    CUTKCommandBars* bars = GetCommandBars();
    if (CWnd* site = GetNotifySite(); site && site->GetSafeHwnd()) {
        CreateBarNotify record{};
        record.bPopupBar = TRUE;
        record.strCaption = caption;
        record.nID = static_cast<UINT>(id);
        if (::SendMessageW(site->GetSafeHwnd(), kUtkCreateBarMessage, 0,
                           reinterpret_cast<LPARAM>(&record)) != 0 &&
            record.pCommandBar) {
            // Only a real command bar is taken from the site.
            auto* object = reinterpret_cast<CObject*>(record.pCommandBar);
            if (ControlClassRegistry::IsCommandBar(object)) {
                return record.pCommandBar;
            }
        }
    }
    CUTKCommandBar* bar = ControlClassRegistry::CreatePopupBar(bars);
    if (bar) {
        bar->SetTitle(caption);
        if (subMenu) {
            bar->LoadMenu(subMenu, TRUE);
        }
    }
    return bar;
}

CUTKControl* CUTKControls::AddControl(CUTKControl* control, int id, LPCWSTR parameter, int index,
                                      BOOL temporary)
{
    if (!control) {
        return nullptr;
    }
    control->m_parameter = parameter ? parameter : L"";
    control->m_temporary = temporary;
    if (!control->GetAction()) {
        CUTKCommandBars* bars = GetCommandBars();
        CUTKControlAction* action = bars ? bars->FindAction(id) : nullptr;
        if (action) {
            control->SetAction(action);
        } else if (!bars || !bars->IsActionsEnabled() || id <= 0 || id > 0xFFFFFFE ||
                   (id >= kToolkitFirstId && id <= kToolkitLastId) ||
                   (id >= kPlaceholderFirstId && id <= kPlaceholderLastId)) {
            control->SetID(id);
        } else if (CUTKControlAction* created = bars->CreateAction(id)) {
            control->SetAction(created);
        } else {
            control->SetID(id);
        }
    }
    return InsertAt(control, index);
}

CUTKControl* CUTKControls::Add(int type, int id, LPCWSTR parameter, int index, BOOL temporary)
{
    if (type < 1 || type > 11) {
        return nullptr;
    }
    CUTKControl* control = CreateControlOfType(type, id, temporary, FALSE, nullptr);
    if (!control) {
        return nullptr;
    }
    if (type >= 2 && type <= 4) {
        CString caption;
        HMENU subMenu = nullptr;
        HMENU resourceMenu = nullptr;
        if (id > 0) {
            resourceMenu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id));
            if (resourceMenu) {
                subMenu = ::GetSubMenu(resourceMenu, 0);
                wchar_t text[kMaxMenuText + 1] = {};
                ::GetMenuStringW(resourceMenu, 0, text, kMaxMenuText, MF_BYPOSITION);
                caption = text;
            }
        }
        CUTKCommandBar* bar = nullptr;
        if (id > 0) {
            bar = CreatePopupBarFor(id, caption, subMenu);
            control->SetCaption(caption);
        } else {
            bar = ControlClassRegistry::CreatePopupBar(GetCommandBars());
        }
        if (resourceMenu) {
            ::DestroyMenu(resourceMenu);
        }
        ControlClassRegistry::AttachPopupBar(control, bar);
    }
    control->SetType(type);
    return AddControl(control, id, parameter, index, temporary);
}

CUTKControl* CUTKControls::SetControlType(int index, int type)
{
    CUTKControl* control = GetAt(index);
    return control ? SetControlType(control, type) : nullptr;
}

CUTKControl* CUTKControls::SetControlType(CUTKControl* control, int type)
{
    if (!control || control->GetControls() != this) {
        return nullptr;
    }
    const auto isPopupKind = [](int t) { return t >= 2 && t <= 4; };
    if (isPopupKind(control->GetType()) && isPopupKind(type)) {
        control->SetType(type);
        return control;
    }
    CUTKControl* replacement = Add(type, 0, L"", control->GetIndex() + 1, FALSE);
    if (!replacement) {
        return nullptr;
    }
    replacement->Copy(control, FALSE);
    replacement->SetType(type);
    Remove(control);
    return replacement;
}
