// Toolbar list expansion and its items.
#include "toolkit/controls/CUTKControlToolbars.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKToolBar.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/controls/PlaceholderExpansion.h"

IMPLEMENT_SERIAL(CUTKControlToolbars, CUTKControlButton, kUtkControlSchema)

CRuntimeClass* CUTKControlToolbars::CUTKControlToolbar::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CUTKControlButton);
}

void CUTKControlToolbars::CUTKControlToolbar::OnExecute()
{
    CUTKCommandBars* commandBars = GetCommandBars();
    if (commandBars == nullptr)
        return;
    commandBars->ClosePopups();
    const DWORD_PTR index = GetTag();
    if (index >= static_cast<DWORD_PTR>(commandBars->GetCount()))
        return;
    if (CUTKCommandBar* bar = commandBars->GetAt(static_cast<int>(index))) {
        bar->SetVisible(!bar->IsVisible());
        commandBars->RecalcFrameLayout();
    }
}

CUTKControl* CUTKControlToolbars::CUTKControlToolbar::Clone(BOOL recursive)
{
    auto* clone = new CUTKControlButton();
    clone->Copy(this, recursive);
    return clone;
}

CUTKControlToolbars::CUTKControlToolbars() = default;

BOOL CUTKControlToolbars::IsListed(CUTKCommandBar* bar)
{
    auto* toolBar = DYNAMIC_DOWNCAST(CUTKToolBar, bar);
    return toolBar != nullptr && toolBar->IsContextMenuPresent() && toolBar->IsCloseable();
}

int CUTKControlToolbars::AddToolbarItems(CUTKCommandBar* bar, int index, int id,
                                         BOOL addCustomizeItem, BOOL beginGroup)
{
    CUTKControls* controls = bar != nullptr ? bar->GetControls() : nullptr;
    CUTKCommandBars* commandBars = bar != nullptr ? bar->GetCommandBars() : nullptr;
    if (controls == nullptr || commandBars == nullptr)
        return 0;
    int added = 0;
    for (int i = 0; i < commandBars->GetCount(); ++i) {
        CUTKCommandBar* listed = commandBars->GetAt(i);
        if (listed == nullptr || !IsListed(listed))
            continue;
        CUTKControl* item =
            controls->AddControl(new CUTKControlToolbar(), id, kItemParameter, index + added, TRUE);
        if (item == nullptr)
            break;
        item->SetTag(static_cast<DWORD_PTR>(i));
        if (added == 0)
            item->SetBeginGroup(beginGroup);
        item->SetCaption(FormatNumberedCaption(listed->GetTitle(), 0));
        item->SetFlags(utkFlagNoUpdate);
        item->SetChecked(listed->IsVisible());
        ++added;
    }
    if (addCustomizeItem && commandBars->IsCustomizeAvail()) {
        if (CUTKControl* customize =
                controls->Add(utkControlButton, kCustomizeId, L"", index + added, TRUE)) {
            customize->SetBeginGroup(TRUE);
            ++added;
        }
    }
    return added;
}

void CUTKControlToolbars::OnCalcDynamicSize(DWORD /*layoutFlags*/)
{
    PlaceholderExpansion::RemoveGenerated(this, m_nGenerated, [](CUTKControl* control) {
        return control->GetParameter() == kItemParameter;
    });
    m_nGenerated = 0;
    if (PlaceholderExpansion::IsCustomizeMode(this)) {
        SetHideFlags(0);
        return;
    }
    SetHideFlags(GetHideFlags() | utkHideGeneric);
    m_nGenerated = AddToolbarItems(GetParent(), GetIndex() + 1, GetID(), FALSE, GetBeginGroup());
}

BOOL CUTKControlToolbars::IsCustomizeDragOverAvail(CUTKCommandBar* bar, CPoint /*point*/,
                                                   DWORD& effect)
{
    return PlaceholderExpansion::IsCustomizeDragOverAvail(bar, effect);
}

CUTKControl* CUTKControlToolbars::Clone(BOOL recursive) { return CUTKControl::Clone(recursive); }
