// Opening, closing and the title of the document.
#include "QVRDoc.h"

#include "FileSystem.h"
#include "PlayerResource.h"
#include "PlayerShell.h"
#include "PlayerState.h"
#include "SupportMessageBox.h"
#include "SupportStrings.h"
#include "TextFormat.h"

namespace {

QVRDoc* g_document = nullptr;
RecentFileFn g_recent = nullptr;

void DeleteNetReader() { delete ThePlayerState().ReplaceNetReader(nullptr); }

}  // namespace

QVRDoc* TheDocument() { return g_document; }
void SetTheDocument(QVRDoc* document) { g_document = document; }
void SetRecentFileSink(RecentFileFn fn) { g_recent = fn; }

std::wstring GetOpenFileFilter()
{
    return MakeAllFilesFilter(LoadResText(IDS_OPEN_FILTER).c_str());
}

QVRDoc::QVRDoc(OpenFn open) : m_open(std::move(open)) {}

BOOL QVRDoc::OpenDocumentFile(const wchar_t* path)
{
    if (!path) {
        return FALSE;
    }
    const std::wstring full = GetFullFilePath(path);
    if (!PathExists(full.c_str())) {
        AppMessageBox(FormatResString(IDS_FILE_MISSING, full.c_str()).c_str());
        return FALSE;
    }
    return OnOpenDocument(full.c_str());
}

BOOL QVRDoc::OnNewDocument()
{
    IPlayerShell* frame = MainFrame();
    if (frame) {
        frame->OnStop();
    }
    delete ThePlayerState().ReplaceOpenFile(nullptr);
    DeleteNetReader();
    m_path.clear();
    RefreshTitle();
    if (frame) {
        frame->ResetSpeed();
    }
    ThePlayerState().SetPositionValue(0);
    if (frame) {
        frame->RefreshBookmarks();
        frame->UpdatePosition();
    }
    return TRUE;
}

BOOL QVRDoc::OnOpenDocument(const wchar_t* path)
{
    std::wstring error;
    IOpenPresentation* file = m_open ? m_open(path ? path : L"", &error) : nullptr;
    if (!file) {
        AppMessageBox(error.c_str());
        return FALSE;
    }
    IPlayerShell* frame = MainFrame();
    if (frame) {
        frame->OnStop();
    }
    delete ThePlayerState().ReplaceOpenFile(file);
    DeleteNetReader();
    SetPathName(file->GetFilePath(), true);
    ThePlayerState().SetPositionValue(0);
    if (frame) {
        frame->ResetSpeed();
        frame->RefreshBookmarks();
        frame->UpdatePosition();
    }
    return TRUE;
}

std::wstring QVRDoc::TitleFor(const std::wstring& text)
{
    const size_t slash = text.rfind(L'\\');
    if (slash != std::wstring::npos && slash != 0) {
        return text.substr(slash + 1) + L" (" + text + L")";
    }
    return text;
}

void QVRDoc::SetTitle(const std::wstring& text)
{
    const std::wstring title = TitleFor(text);
    if (title == m_title) {
        return;
    }
    if (HWND owner = HiddenOwnerWindow()) {
        SetWindowTextW(owner, title.c_str());
    }
    m_title = title;
}

void QVRDoc::SetPathName(const std::wstring& path, bool addToRecent)
{
    m_path = path;
    if (addToRecent && g_recent && !path.empty()) {
        g_recent(path);
    }
    RefreshTitle();
}

void QVRDoc::RefreshTitle()
{
    if (m_openProgress >= 0) {
        SetTitle(FormatNewString(L"%3.1f%%", m_openProgress));
        return;
    }
    if (INetReaderState* net = ThePlayerState().NetReader()) {
        const std::wstring url = net->GetURL();
        const size_t slash = url.rfind(L'/');
        const std::wstring title =
            (slash == std::wstring::npos ? url : url.substr(slash + 1)) + L" (" + url + L")";
        if (title != m_title) {
            m_title = title;
        }
        return;
    }
    SetTitle(m_path.empty() ? LoadResText(IDS_UNTITLED) : m_path);
}

void QVRDoc::SetOpenProgress(double percent)
{
    m_openProgress = percent;
    RefreshTitle();
}
