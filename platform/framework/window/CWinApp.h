// CWinApp: the application object. One per binary: the program's, or an engine DLL's own
// (with its own instance and resource handles and main window). It holds the start-up
// parameters, runs the main thread's pump, shows the framework's message boxes, reads and
// writes the profile (registry under SetRegistryKey, else an INI file) and routes help.
#pragma once

#include "platform/framework/window/CWinThread.h"

class CRecentFileList;
class CDocManager;
class CDocTemplate;
class CDocument;

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)

public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // Heap strings owned and freed by the application object (callers may replace them with
    // their own heap copies made by _wcsdup).
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    LPCTSTR m_pszHelpFilePath = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CRecentFileList* m_pRecentFileList = nullptr;
    CDocManager* m_pDocManager = nullptr;

    // Document/view entry points. OpenDocumentFile goes through the module-state hook set by
    // the document classes (null without them); the four non-virtual members are defined by
    // the document/view half of the framework.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    void AddDocTemplate(CDocTemplate* pTemplate);
    void OnFileNew();
    void OnFileOpen();
    void LoadStdProfileSettings(UINT nMaxMRU = 4);

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int ExitInstance() override;
    int Run() override;
    BOOL OnIdle(LONG lCount) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT ProcessWndProcException(CException* e, const MSG* pMsg) override;

    // Target of AfxMessageBox: owner is the active popup of the main window, which stays
    // disabled while the box is up; a box without an icon gets the usual one for its buttons.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    virtual void WinHelpInternal(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    virtual void DoWaitCursor(int nCode);

    // ---- profile ----
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry,
                             LPCTSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // *ppData is allocated with new[]; the caller delete[]s it.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;

    // Replaces one of the owned strings with a heap copy of lpsz (null clears it).
    static void SetOwnedString(LPCTSTR& member, LPCTSTR lpsz);

    void OnAppExit();
    void OnHelp();

protected:
    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = nullptr;

    DECLARE_MESSAGE_MAP()
};

// ---- application-wide functions ----
CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
LPCTSTR AfxGetAppName();
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
void AfxWinTerm();
// The framework's main: initialises, runs InitInstance, then Run (or ExitInstance on failure).
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
BOOL AfxRegisterClass(WNDCLASS* lpWndClass);
// One string value of an open registry key; FALSE (value untouched) when it is absent or not text.
BOOL AfxReadRegistryString(HKEY hKey, LPCTSTR lpszEntry, CString& value);
// A class name for the style, cursor, background and icon (registered once per combination).
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                            HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);
BOOL AfxInitRichEdit();
BOOL AfxInitRichEdit2();
BOOL AfxOleInit();
void AfxEnableControlContainer();
