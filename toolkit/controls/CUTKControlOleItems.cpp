// OLE verbs expansion: the framework fills a temporary menu with the selected item's verbs;
// a single verb popup becomes a temporary popup control with its own bar.
#include "toolkit/controls/CUTKControlOleItems.h"

#include "platform/framework/frame/AfxOleSetEditMenu.h"
#include "platform/framework/frame/CFrameWnd.h"
#include "platform/framework/frame/CMDIChildWnd.h"
#include "platform/framework/frame/CMDIFrameWnd.h"
#include "platform/framework/frame/COleClientItem.h"
#include "platform/framework/frame/COleDocument.h"
#include "platform/framework/frame/CView.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/controls/PlaceholderExpansion.h"

IMPLEMENT_SERIAL(CUTKControlOleItems, CUTKControlButton, kUtkControlSchema)

namespace {

constexpr wchar_t kOlePopupParameter[] = L"OLEMENUPOPUP";

// The view whose document is asked: the frame's own, else its active MDI child's.
CView* ActiveView(CWnd* site)
{
    auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, site);
    if (frame == nullptr)
        return nullptr;
    if (CView* view = frame->GetActiveView())
        return view;
    if (auto* mdi = DYNAMIC_DOWNCAST(CMDIFrameWnd, frame)) {
        if (CMDIChildWnd* child = mdi->MDIGetActive())
            return child->GetActiveView();
    }
    return nullptr;
}

}  // namespace

CUTKControlOleItems::CUTKControlOleItems() = default;

void CUTKControlOleItems::OnCalcDynamicSize(DWORD /*layoutFlags*/)
{
    PlaceholderExpansion::RemoveGenerated(this, 1, [](CUTKControl* control) {
        return control->GetParameter() == kOlePopupParameter;
    });
    if (PlaceholderExpansion::IsCustomizeMode(this)) {
        SetHideFlags(0);
        return;
    }
    SetHideFlags(GetHideFlags() | utkHideGeneric);

    CView* view = ActiveView(GetSite());
    auto* document = view != nullptr ? DYNAMIC_DOWNCAST(COleDocument, view->GetDocument())
                                     : nullptr;
    COleClientItem* item = document != nullptr ? document->GetPrimarySelectedItem(view) : nullptr;
    if (item == nullptr || item->GetItemState() == COleClientItem::activeState)
        return;

    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    AfxOleSetEditMenu(item, &menu, 0, kFirstVerbId, kLastVerbId, 0);
    HMENU verbs = ::GetMenuItemCount(menu.GetSafeHmenu()) == 1
                      ? ::GetSubMenu(menu.GetSafeHmenu(), 0)
                      : nullptr;
    CUTKControls* controls = GetControls();
    if (verbs != nullptr && controls != nullptr) {
        CUTKControl* popup =
            controls->Add(utkControlPopup, 0, kOlePopupParameter, GetIndex() + 1, TRUE);
        CUTKCommandBar* bar = popup != nullptr ? popup->GetCommandBar() : nullptr;
        if (bar != nullptr) {
            bar->LoadMenu(verbs, TRUE);
            wchar_t text[1025] = {};
            ::GetMenuStringW(menu.GetSafeHmenu(), 0, text, 1024, MF_BYPOSITION);
            popup->SetCaption(text);
        } else if (popup != nullptr) {
            controls->Remove(popup);
        }
    }
    menu.DestroyMenu();
}

BOOL CUTKControlOleItems::IsCustomizeDragOverAvail(CUTKCommandBar* bar, CPoint /*point*/,
                                                   DWORD& effect)
{
    return PlaceholderExpansion::IsCustomizeDragOverAvail(bar, effect);
}

CUTKControl* CUTKControlOleItems::Clone(BOOL recursive) { return CUTKControl::Clone(recursive); }
