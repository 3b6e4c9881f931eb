// Opening, closing and the title of the document; the document manager's checks and prompt;
// the template's hand-over of the video windows.
#include "player/core/QVRDoc.h"

#include "WinNT_SP/Include_VS2005/FileSystem.h"
#include "player/core/PlayerResource.h"
#include "player/core/PlayerShell.h"
#include "player/core/PlayerState.h"
#include "player/core/QVRFile.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "player/core/SupportMessageBox.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/TextFormat.h"
#include "player/core/UrlCheck.h"

namespace {

QVRDoc* g_document = nullptr;

void DeleteNetReader()
{
    if (INetReaderState* reader = ThePlayerState().ReplaceNetReader(nullptr)) {
        reader->Discard();
    }
}

// The program's own opener: a presentation file read through the engine, reader mode 0.
IOpenPresentation* OpenPresentationFile(const std::wstring& path, std::wstring* error)
{
    auto* file = new QVRFile;
    file->SetReaderMode(0);
    *error = OpenQVRFile(file, path.c_str());
    if (!error->empty()) {
        delete file;
        return nullptr;
    }
    return file;
}

}  // namespace

IMPLEMENT_DYNCREATE(QVRDoc, CDocument)

BEGIN_MESSAGE_MAP(QVRDoc, CDocument)
END_MESSAGE_MAP()

QVRDoc* TheDocument() { return g_document; }

std::wstring GetOpenFileFilter()
{
    return MakeAllFilesFilter(LoadResText(IDS_OPEN_FILTER).c_str());
}

QVRDoc::QVRDoc() { g_document = this; }

QVRDoc::~QVRDoc()
{
    if (g_document == this) {
        g_document = nullptr;
    }
}

IOpenPresentation* QVRDoc::OpenPresentation(const std::wstring& path, std::wstring* error)
{
    return OpenPresentationFile(path, error);
}

BOOL QVRDoc::OnNewDocument()
{
    IPlayerShell* frame = MainFrame();
    if (frame) {
        frame->OnStop();
    }
    delete ThePlayerState().ReplaceOpenFile(nullptr);
    DeleteNetReader();
    m_strPathName.Empty();
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

BOOL QVRDoc::OnOpenDocument(LPCTSTR path)
{
    std::wstring error;
    IOpenPresentation* file = OpenPresentation(path ? path : L"", &error);
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
    SetPathName(file->GetFilePath().c_str(), TRUE);
    ThePlayerState().SetPositionValue(0);
    if (auto* presentation = dynamic_cast<QVRFile*>(file)) {
        const std::wstring seekError = presentation->Seek(0.0);
        if (!seekError.empty()) {
            AppMessageBox(seekError.c_str());
        }
    }
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

void QVRDoc::SetTitle(LPCTSTR text)
{
    const std::wstring title = TitleFor(text ? text : L"");
    if (title == static_cast<LPCTSTR>(m_strTitle)) {
        return;
    }
    if (HWND owner = HiddenOwnerWindow()) {
        SetWindowTextW(owner, title.c_str());
    }
    CDocument::SetTitle(title.c_str());
}

void QVRDoc::SetPathName(LPCTSTR path, BOOL addToRecent)
{
    CDocument::SetPathName(path, addToRecent);
    RefreshTitle();
}

void QVRDoc::SetModifiedFlag(BOOL) { RefreshTitle(); }

void QVRDoc::RefreshTitle()
{
    if (m_openProgress >= 0) {
        SetTitle(FormatNewString(L"%3.1f%%", m_openProgress).c_str());
        return;
    }
    if (INetReaderState* net = ThePlayerState().NetReader()) {
        // The title is shown and traced: the URL's password never appears in it.
        const std::wstring url = UrlCheck::MaskURLPassword(net->GetURL());
        const std::wstring title = UrlCheck::GetURLFileName(url, false) + L" (" + url + L")";
        if (title != static_cast<LPCTSTR>(m_strTitle)) {
            CDocument::SetTitle(title.c_str());
        }
        return;
    }
    SetTitle(m_strPathName.IsEmpty() ? LoadResText(IDS_UNTITLED).c_str()
                                     : static_cast<LPCTSTR>(m_strPathName));
}

void QVRDoc::SetOpenProgress(double percent)
{
    m_openProgress = percent;
    RefreshTitle();
}

CDocument* QVRDocManager::OpenDocumentFile(LPCTSTR path)
{
    if (!path) {
        return CDocManager::OpenDocumentFile(path);
    }
    const std::wstring full = GetFullFilePath(path);
    if (!PathExists(full.c_str())) {
        // What the framework's message box comes to in this program (the application routes
        // it here), without depending on an application object.
        DoAppMessageBox(FormatResString(IDS_FILE_MISSING, full.c_str()).c_str(), MB_OK, 0);
        return nullptr;
    }
    return CDocManager::OpenDocumentFile(full.c_str());
}

BOOL QVRDocManager::DoPromptFileName(CString& fileName, UINT, DWORD flags, BOOL,
                                     CDocTemplate*)
{
    const std::wstring filter = GetOpenFileFilter();
    CFileDialog dialog(TRUE, nullptr, nullptr, flags | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                       filter.c_str(), AfxGetMainWnd());
    const std::wstring title = LoadResText(IDS_OPEN_TITLE);
    dialog.m_ofn.lpstrTitle = title.c_str();
    TypedValue& index = AppSettings().Item(SETT_FileFiltInd);
    dialog.m_ofn.nFilterIndex = static_cast<DWORD>(index.GetInt(0));
    const INT_PTR result = dialog.DoModal();
    fileName = dialog.GetPathName();
    index.SetInt(static_cast<int32_t>(dialog.m_ofn.nFilterIndex));
    return result == IDOK;
}

QVRDocTemplate::QVRDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass,
                               CRuntimeClass* viewClass)
    : CSingleDocTemplate(resourceId, docClass, frameClass, viewClass)
{
}

void QVRDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL makeVisible)
{
    CSingleDocTemplate::InitialUpdateFrame(frame, document, makeVisible);
    if (IPlayerView* view = MainView()) {
        view->ApplyVideoViewMode();
    }
}

CDocument* QVRDocTemplate::OpenDocumentFile(LPCTSTR path, BOOL makeVisible)
{
    return CSingleDocTemplate::OpenDocumentFile(path, makeVisible);
}
