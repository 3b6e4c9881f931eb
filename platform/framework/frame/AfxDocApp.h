// The application's document side: templates through the document manager, File New and
// File Open, opening a named file, the recent-file list and its commands. CWinApp's
// AddDocTemplate, OnFileNew, OnFileOpen and LoadStdProfileSettings are these; its
// OpenDocumentFile, ExitInstance and destructor reach them through module-state hooks.
#pragma once

#include "platform/framework/frame/AfxFrameDefs.h"

class CDocTemplate;
class CDocument;

// Registers a template, creating the application's document manager on first use.
void AfxAppAddDocTemplate(CWinApp* pApp, CDocTemplate* pTemplate);
void AfxAppOnFileNew(CWinApp* pApp);
void AfxAppOnFileOpen(CWinApp* pApp);
// Through the application's (virtual) OpenDocumentFile.
CDocument* AfxAppOpenDocumentFile(CWinApp* pApp, LPCTSTR lpszFileName);
// Creates and reads the recent-file list ("Recent File List", "File%d") with nMaxMRU entries
// (none when 0).
void AfxAppLoadStdProfileSettings(CWinApp* pApp, UINT nMaxMRU = 4);
void AfxAppAddToRecentFileList(CWinApp* pApp, LPCTSTR lpszPathName);
// Opens recent file nID (ID_FILE_MRU_FILE1..); a file that cannot be opened leaves the list.
BOOL AfxAppOnOpenRecentFile(CWinApp* pApp, UINT nID);
BOOL AfxAppSaveAllModified(CWinApp* pApp);
void AfxAppCloseAllDocuments(CWinApp* pApp, BOOL bEndSession);
// At exit: writes the recent-file list and frees the list and the document manager.
void AfxAppExitDocuments(CWinApp* pApp);
// Command routing after the application's own map: the document manager (and its
// templates), then the recent-file commands (menu expansion and opening).
BOOL AfxAppRouteCmdMsg(CWinApp* pApp, UINT nID, int nCode, void* pExtra,
                       AFX_CMDHANDLERINFO* pHandlerInfo);
