// The application's document functions over its document manager and recent-file list,
// including the application members the window half declares for them and the module-state
// hooks through which it reaches them (opening a file, saving the list, freeing both).
#include "platform/framework/frame/AfxDocApp.h"

#include "platform/framework/frame/CDocManager.h"
#include "platform/framework/frame/CDocTemplate.h"
#include "platform/framework/frame/CDocument.h"
#include "platform/framework/frame/CRecentFileList.h"

namespace {

CDocument* OpenThroughManager(CWinApp* pApp, LPCTSTR lpszFileName)
{
    if (pApp == nullptr || pApp->m_pDocManager == nullptr) {
        return nullptr;
    }
    return pApp->m_pDocManager->OpenDocumentFile(lpszFileName);
}

void SaveRecentFiles(CWinApp* pApp)
{
    if (pApp != nullptr && pApp->m_pRecentFileList != nullptr) {
        pApp->m_pRecentFileList->WriteList();
    }
}

void DeleteDocViewState(CWinApp* pApp)
{
    if (pApp == nullptr) {
        return;
    }
    delete pApp->m_pRecentFileList;
    pApp->m_pRecentFileList = nullptr;
    delete pApp->m_pDocManager;
    pApp->m_pDocManager = nullptr;
}

// The window half reaches the document side only through these.
void InstallDocViewHooks()
{
    AFX_MODULE_STATE* state = AfxGetModuleState();
    state->m_pfnOpenDocumentFile = OpenThroughManager;
    state->m_pfnSaveStdProfileSettings = SaveRecentFiles;
    state->m_pfnDeleteDocViewState = DeleteDocViewState;
}

}  // namespace

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    AfxAppAddDocTemplate(this, pTemplate);
}

void CWinApp::OnFileNew()
{
    AfxAppOnFileNew(this);
}

void CWinApp::OnFileOpen()
{
    AfxAppOnFileOpen(this);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    AfxAppLoadStdProfileSettings(this, nMaxMRU);
}

void AfxAppAddDocTemplate(CWinApp* pApp, CDocTemplate* pTemplate)
{
    if (pApp == nullptr) {
        return;
    }
    InstallDocViewHooks();
    if (pApp->m_pDocManager == nullptr) {
        pApp->m_pDocManager = new CDocManager;
    }
    pApp->m_pDocManager->AddDocTemplate(pTemplate);
}

void AfxAppOnFileNew(CWinApp* pApp)
{
    if (pApp != nullptr && pApp->m_pDocManager != nullptr) {
        pApp->m_pDocManager->OnFileNew();
    }
}

void AfxAppOnFileOpen(CWinApp* pApp)
{
    if (pApp != nullptr && pApp->m_pDocManager != nullptr) {
        pApp->m_pDocManager->OnFileOpen();
    }
}

CDocument* AfxAppOpenDocumentFile(CWinApp* pApp, LPCTSTR lpszFileName)
{
    // Through the virtual member, so that an application's own version is the one used.
    return pApp != nullptr ? pApp->OpenDocumentFile(lpszFileName) : nullptr;
}

void AfxAppLoadStdProfileSettings(CWinApp* pApp, UINT nMaxMRU)
{
    if (pApp == nullptr || nMaxMRU == 0) {
        return;
    }
    InstallDocViewHooks();
    delete pApp->m_pRecentFileList;
    pApp->m_pRecentFileList =
        new CRecentFileList(0, L"Recent File List", L"File%d", static_cast<int>(nMaxMRU));
    pApp->m_pRecentFileList->ReadList();
}

void AfxAppAddToRecentFileList(CWinApp* pApp, LPCTSTR lpszPathName)
{
    if (pApp != nullptr && pApp->m_pRecentFileList != nullptr) {
        pApp->m_pRecentFileList->Add(lpszPathName);
    }
}

BOOL AfxAppOnOpenRecentFile(CWinApp* pApp, UINT nID)
{
    if (pApp == nullptr || pApp->m_pRecentFileList == nullptr || nID < ID_FILE_MRU_FILE1 ||
        nID > ID_FILE_MRU_FILE16) {
        return FALSE;
    }
    CRecentFileList& list = *pApp->m_pRecentFileList;
    const int nIndex = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (nIndex >= list.GetSize() || list[nIndex].IsEmpty()) {
        return FALSE;
    }
    const CString path = list[nIndex];
    if (AfxAppOpenDocumentFile(pApp, path) == nullptr) {
        // The entry may have moved while opening; drop it wherever it is now.
        for (int i = 0; i < list.GetSize(); ++i) {
            if (list[i].CompareNoCase(path) == 0) {
                list.Remove(i);
                break;
            }
        }
    }
    return TRUE;
}

BOOL AfxAppSaveAllModified(CWinApp* pApp)
{
    return pApp == nullptr || pApp->m_pDocManager == nullptr ||
           pApp->m_pDocManager->SaveAllModified();
}

void AfxAppCloseAllDocuments(CWinApp* pApp, BOOL bEndSession)
{
    if (pApp != nullptr && pApp->m_pDocManager != nullptr) {
        pApp->m_pDocManager->CloseAllDocuments(bEndSession);
    }
}

void AfxAppExitDocuments(CWinApp* pApp)
{
    SaveRecentFiles(pApp);
    DeleteDocViewState(pApp);
}

BOOL AfxAppRouteCmdMsg(CWinApp* pApp, UINT nID, int nCode, void* pExtra,
                       AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (pApp == nullptr || nID < ID_FILE_MRU_FILE1 || nID > ID_FILE_MRU_FILE16 ||
        pApp->m_pRecentFileList == nullptr) {
        return FALSE;
    }
    CRecentFileList& list = *pApp->m_pRecentFileList;
    const int nIndex = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    const bool present = nIndex < list.GetSize() && !list[nIndex].IsEmpty();
    if (nCode == CN_UPDATE_COMMAND_UI) {
        auto* pCmdUI = static_cast<CCmdUI*>(pExtra);
        if (nID == ID_FILE_MRU_FILE1) {
            list.UpdateMenu(pCmdUI);
        } else {
            pCmdUI->Enable(present);
        }
        return TRUE;
    }
    if (nCode != CN_COMMAND || !present) {
        return FALSE;
    }
    if (pHandlerInfo != nullptr) {
        pHandlerInfo->pTarget = pApp;
        pHandlerInfo->pEntry = nullptr;
        return TRUE;
    }
    return AfxAppOnOpenRecentFile(pApp, nID);
}
