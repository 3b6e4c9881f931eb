// Helpers over the framework's frame, view, dialog and control classes.
#include "WinNT_SP/Include_VS2005/FrameHelpers.h"

#include "WinNT_SP/Include_VS2005/WindowHelpers.h"
#include "platform/framework/window/CListCtrl.h"

#include <cderr.h>
#include <shlwapi.h>

#include <vector>

CSize FitFrameToViewSize(const CView* view, CSize requestedClient)
{
    const CSize none(0x7FFF, 0x7FFF);
    if (view == nullptr || view->m_hWnd == nullptr) {
        return none;
    }
    CFrameWnd* frame = view->GetParentFrame();
    if (frame == nullptr || frame->m_hWnd == nullptr) {
        return none;
    }
    RECT wanted = {0, 0, requestedClient.cx, requestedClient.cy};
    const DWORD style = static_cast<DWORD>(::GetWindowLongW(view->m_hWnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(view->m_hWnd, GWL_EXSTYLE));
    ::AdjustWindowRectEx(&wanted, style, FALSE, exStyle);
    // Borders, caption, menu and bars: whatever the frame's outer size has beyond the view's.
    RECT frameRect;
    RECT viewRect;
    ::GetWindowRect(frame->m_hWnd, &frameRect);
    ::GetWindowRect(view->m_hWnd, &viewRect);
    const int extraWidth = (frameRect.right - frameRect.left) - (viewRect.right - viewRect.left);
    const int extraHeight = (frameRect.bottom - frameRect.top) - (viewRect.bottom - viewRect.top);
    return CSize(wanted.right - wanted.left + extraWidth, wanted.bottom - wanted.top + extraHeight);
}

namespace {

std::wstring CurrentFolder()
{
    const DWORD length = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(length, L'\0');
    const DWORD written = ::GetCurrentDirectoryW(length, folder.data());
    folder.resize(written < length ? written : 0);
    return folder;
}

}  // namespace

INT_PTR DoModalFileDialogSafe(CFileDialog& dialog)
{
    const LPCWSTR callerFolder = dialog.m_ofn.lpstrInitialDir;
    std::wstring startFolder;
    if (callerFolder == nullptr) {
        const wchar_t* name = dialog.m_ofn.lpstrFile;
        if (name != nullptr && name[0] != L'\0') {
            std::vector<wchar_t> folder(name, name + wcslen(name) + 1);
            if (::PathRemoveFileSpecW(folder.data()) && folder[0] != L'\0') {
                startFolder = folder.data();
            }
        }
        if (startFolder.empty()) {
            startFolder = CurrentFolder();
        }
        dialog.m_ofn.lpstrInitialDir = startFolder.c_str();
    }
    INT_PTR result = dialog.DoModal();
    if (result != IDOK && ::CommDlgExtendedError() == FNERR_INVALIDFILENAME) {
        startFolder = CurrentFolder();
        dialog.m_ofn.lpstrInitialDir = startFolder.c_str();
        if (dialog.m_ofn.lpstrFile != nullptr && dialog.m_ofn.nMaxFile > 0) {
            dialog.m_ofn.lpstrFile[0] = L'\0';
        }
        result = dialog.DoModal();
    }
    dialog.m_ofn.lpstrInitialDir = callerFolder;
    return result;
}

BOOL CreateUiFont(CFont& font, const wchar_t* face, int weight)
{
    HFONT handle = CreateUiFont(face, weight);
    if (handle == nullptr) {
        return FALSE;
    }
    font.DeleteObject();
    return font.Attach(handle);
}

void ListCtrlSelectOnly(CListCtrl& list, int index)
{
    ListCtrlSelectOnly(list.m_hWnd, index);
}

void ListCtrlClearSelection(CListCtrl& list)
{
    ListCtrlClearSelection(list.m_hWnd);
}
