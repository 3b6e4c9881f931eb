// Recent-file expansion. Only this placeholder's own items are removed before the next
// expansion (the id range of the list alone is one id too wide and would take a real item).
#include "toolkit/controls/CUTKControlRecentFileList.h"

#include <vector>

#include "platform/framework/frame/CRecentFileList.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/controls/PlaceholderExpansion.h"

IMPLEMENT_SERIAL(CUTKControlRecentFileList, CUTKControlButton, kUtkControlSchema)

CUTKControlRecentFileList::CUTKControlRecentFileList() = default;

CRecentFileList* CUTKControlRecentFileList::GetRecentFileList()
{
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->m_pRecentFileList : nullptr;
}

int CUTKControlRecentFileList::GetFirstId() { return 0xE110; }

void CUTKControlRecentFileList::OnCalcDynamicSize(DWORD /*layoutFlags*/)
{
    CRecentFileList* list = GetRecentFileList();
    if (list == nullptr)
        return;
    const int firstId = GetFirstId();
    const int size = list->GetSize();
    PlaceholderExpansion::RemoveGenerated(this, m_nGenerated, [=](CUTKControl* control) {
        return control->GetID() >= firstId && control->GetID() < firstId + size;
    });
    m_nGenerated = 0;

    if (PlaceholderExpansion::IsCustomizeMode(this)) {
        SetHideFlags(0);
        SetEnabled(TRUE);
        return;
    }
    if (size <= 0 || (*list)[0].IsEmpty()) {
        SetHideFlags(0);
        SetEnabled(FALSE);
        return;
    }
    SetHideFlags(GetHideFlags() | utkHideGeneric);

    std::vector<wchar_t> buffer(MAX_PATH + 2);
    DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length >= buffer.size()) {
        buffer.resize(length + 2);
        length = ::GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    }
    CString currentDir(buffer.data(), length < buffer.size() ? static_cast<int>(length) : 0);
    if (currentDir.IsEmpty() || currentDir[currentDir.GetLength() - 1] != L'\\')
        currentDir += L'\\';

    CUTKControls* controls = GetControls();
    if (controls == nullptr)
        return;
    const int index = GetIndex();
    for (int i = 0; i < size; ++i) {
        CString name;
        if (!list->GetDisplayName(name, i, currentDir, currentDir.GetLength()))
            break;
        CUTKControl* item = controls->Add(utkControlButton, firstId + i, L"", index + 1 + i, TRUE);
        if (item == nullptr)
            break;
        ++m_nGenerated;
        item->SetCaption(FormatNumberedCaption(name, i + 1));
        DWORD flags = utkFlagNoUpdate;
        if (i == 0) {
            if (index > 0)
                item->SetBeginGroup(TRUE);
            if (GetFlags() & utkFlagWrapRow)
                flags |= utkFlagWrapRow;
        }
        item->SetFlags(flags);
        item->SetParameter((*list)[i]);
    }
}

BOOL CUTKControlRecentFileList::IsCustomizeDragOverAvail(CUTKCommandBar* bar, CPoint /*point*/,
                                                         DWORD& effect)
{
    return PlaceholderExpansion::IsCustomizeDragOverAvail(bar, effect);
}

CUTKControl* CUTKControlRecentFileList::Clone(BOOL recursive)
{
    return CUTKControl::Clone(recursive);
}
