// Window list expansion. Only the items this placeholder made are removed before the next
// expansion: once the first window id has fallen to 1, an id test alone would also take the
// real menu items after the placeholder.
#include "toolkit/controls/CUTKControlWindowList.h"

#include <atomic>
#include <iterator>

#include "toolkit/controls/CUTKControls.h"
#include "toolkit/controls/PlaceholderExpansion.h"

IMPLEMENT_SERIAL(CUTKControlWindowList, CUTKControlButton, kUtkControlSchema)

namespace {

std::atomic<UINT> g_firstWindowId{0xFF00};

}  // namespace

UINT CUTKControlWindowList::GetFirstWindowId() { return g_firstWindowId.load(); }

void CUTKControlWindowList::SetFirstWindowId(UINT id) { g_firstWindowId.store(id); }

CUTKControlWindowList::CUTKControlWindowList() = default;

void CUTKControlWindowList::OnCalcDynamicSize(DWORD /*layoutFlags*/)
{
    // The first id may have moved since: the items are known by their prompt, not their ids.
    PlaceholderExpansion::RemoveGenerated(this, m_nGenerated, [](CUTKControl* control) {
        return control->GetHelpId() == static_cast<int>(kPromptStringId);
    });
    m_nGenerated = 0;

    HWND client = PlaceholderExpansion::FindMdiClient(this);
    if (PlaceholderExpansion::IsCustomizeMode(this) || client == nullptr) {
        SetHideFlags(0);
        return;
    }
    SetHideFlags(GetHideFlags() | utkHideGeneric);

    HWND active = reinterpret_cast<HWND>(::SendMessageW(client, WM_MDIGETACTIVE, 0, 0));
    if (active != nullptr) {
        const int activeId = ::GetDlgCtrlID(active);
        if (activeId >= 0x8000 && activeId <= 0x802E)
            SetFirstWindowId(0x8000);
        else if (activeId >= 1 && activeId <= 46)
            SetFirstWindowId(1);
    }

    CUTKControls* controls = GetControls();
    if (controls == nullptr)
        return;
    int n = 0;
    // Child ids are consecutive from the first id; the walk ends at the first gap.
    for (UINT id = GetFirstWindowId(); n < kMaxWindows && id <= 0xFFFF; ++id) {
        HWND child = ::GetDlgItem(client, static_cast<int>(id));
        if (child == nullptr)
            break;
        if (!::IsWindowVisible(child))
            continue;
        ++n;
        CUTKControl* item = controls->Add(utkControlButton, static_cast<int>(id), L"",
                                          GetIndex() + n, TRUE);
        if (item == nullptr)
            break;
        ++m_nGenerated;
        wchar_t title[512] = {};
        ::GetWindowTextW(child, title, static_cast<int>(std::size(title)));
        item->SetCaption(FormatNumberedCaption(CString(title), n));
        if (n == 1) {
            item->SetBeginGroup(TRUE);
            if (GetFlags() & utkFlagWrapRow)
                item->SetFlags(utkFlagNoUpdate | utkFlagWrapRow);
            else
                item->SetFlags(utkFlagNoUpdate);
        } else {
            item->SetFlags(utkFlagNoUpdate);
        }
        item->SetChecked(child == active);
        item->SetHelpId(static_cast<int>(kPromptStringId));
        PlaceholderExpansion::SetPromptFromString(item, kPromptStringId);
    }
}

BOOL CUTKControlWindowList::IsCustomizeDragOverAvail(CUTKCommandBar* bar, CPoint /*point*/,
                                                     DWORD& effect)
{
    return PlaceholderExpansion::IsCustomizeDragOverAvail(bar, effect);
}

CUTKControl* CUTKControlWindowList::Clone(BOOL recursive) { return CUTKControl::Clone(recursive); }
