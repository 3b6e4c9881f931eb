// The application object: start-up, the main pump, message boxes, profile storage and the
// application-wide helper functions.
#include "platform/framework/window/CWinApp.h"

#include "platform/framework/window/AfxState.h"

#include <cwchar>
#include <mutex>
#include <set>
#include <string>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

namespace {

// Module path pieces for the default names.
void SetCurrentHandles(CWinApp* app)
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(app->m_hInstance, path, MAX_PATH);
    std::wstring full = path;
    const size_t slash = full.find_last_of(L"\\/");
    std::wstring title = slash == std::wstring::npos ? full : full.substr(slash + 1);
    const size_t dot = title.find_last_of(L'.');
    if (dot != std::wstring::npos) {
        title.resize(dot);
    }
    if (app->m_pszExeName == nullptr) {
        CWinApp::SetOwnedString(app->m_pszExeName, title.c_str());
    }
    if (app->m_pszAppName == nullptr) {
        CString name;
        if (name.LoadString(AFX_IDS_APP_TITLE) && !name.IsEmpty()) {
            CWinApp::SetOwnedString(app->m_pszAppName, name);
        } else {
            CWinApp::SetOwnedString(app->m_pszAppName, title.c_str());
        }
    }
    if (app->m_pszHelpFilePath == nullptr) {
        std::wstring help = full;
        const size_t helpDot = help.find_last_of(L'.');
        if (helpDot != std::wstring::npos && (slash == std::wstring::npos || helpDot > slash)) {
            help.resize(helpDot);
        }
        help += L".HLP";
        CWinApp::SetOwnedString(app->m_pszHelpFilePath, help.c_str());
    }
    if (app->m_pszProfileName == nullptr) {
        CWinApp::SetOwnedString(app->m_pszProfileName, (title + L".INI").c_str());
    }
    AfxGetModuleState()->m_lpszCurrentAppName = app->m_pszAppName;
}

}  // namespace

void CWinApp::SetOwnedString(LPCTSTR& member, LPCTSTR lpsz)
{
    std::free(const_cast<LPTSTR>(member));
    member = lpsz != nullptr ? _wcsdup(lpsz) : nullptr;
}

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    if (lpszAppName != nullptr) {
        SetOwnedString(m_pszAppName, lpszAppName);
    }
    AFX_MODULE_STATE* state = AfxGetModuleState();
    state->m_pCurrentWinApp = this;
    state->m_lpszCurrentAppName = m_pszAppName;
    m_nThreadID = ::GetCurrentThreadId();
    m_bAutoDelete = FALSE;
}

CWinApp::~CWinApp()
{
    AFX_MODULE_STATE* state = AfxGetModuleState();
    if (state->m_pfnDeleteDocViewState != nullptr) {
        state->m_pfnDeleteDocViewState(this);
    }
    if (state->m_pCurrentWinApp == this) {
        state->m_pCurrentWinApp = nullptr;
        state->m_lpszCurrentAppName = nullptr;
    }
    SetOwnedString(m_pszAppName, nullptr);
    SetOwnedString(m_pszRegistryKey, nullptr);
    SetOwnedString(m_pszProfileName, nullptr);
    SetOwnedString(m_pszHelpFilePath, nullptr);
    SetOwnedString(m_pszExeName, nullptr);
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    if (AfxGetModuleState()->m_pfnSaveStdProfileSettings != nullptr) {
        AfxGetModuleState()->m_pfnSaveStdProfileSettings(this);
    }
    return CWinThread::ExitInstance();
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    AFX_MODULE_STATE* state = AfxGetModuleState();
    if (state->m_pfnOpenDocumentFile == nullptr) {
        return nullptr;
    }
    return state->m_pfnOpenDocumentFile(this, lpszFileName);
}

int CWinApp::Run()
{
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    return CWinThread::OnIdle(lCount);
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    return CWinThread::PreTranslateMessage(pMsg);
}

LRESULT CWinApp::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    return CWinThread::ProcessWndProcException(e, pMsg);
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    HWND hWndTop = nullptr;
    HWND hWnd = CWnd::GetSafeOwner_(nullptr, &hWndTop);
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        case MB_ABORTRETRYIGNORE:
        case MB_RETRYCANCEL:
            break;
        default:
            break;
        }
    }
    const int result = ::MessageBoxW(hWnd, lpszPrompt != nullptr ? lpszPrompt : L"",
                                     m_pszAppName != nullptr ? m_pszAppName : L"", nType);
    if (hWndTop != nullptr) {
        ::EnableWindow(hWndTop, TRUE);
    }
    return result;
}

void CWinApp::WinHelpInternal(DWORD_PTR dwData, UINT nCmd)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    ::WinHelpW(CWnd::HwndOf(pMainWnd), m_pszHelpFilePath, nCmd, dwData);
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    WinHelpInternal(dwData, nCmd);
}

void CWinApp::DoWaitCursor(int nCode)
{
    if (nCode > 0) {
        if (m_nWaitCursorCount++ == 0) {
            m_hcurWaitCursorRestore = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        }
    } else if (nCode < 0) {
        if (m_nWaitCursorCount > 0 && --m_nWaitCursorCount == 0) {
            ::SetCursor(m_hcurWaitCursorRestore);
        }
    } else if (m_nWaitCursorCount > 0) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    }
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr) {
        m_pMainWnd->SendMessage(WM_CLOSE);
    }
}

void CWinApp::OnHelp()
{
    WinHelpInternal(0, HELP_FINDER);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    return ::LoadCursorW(nullptr, lpszCursorName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const
{
    return ::LoadIconW(nullptr, lpszIconName);
}

// ---- profile -------------------------------------------------------------------------------

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    SetOwnedString(m_pszRegistryKey, lpszRegistryKey);
    // With a registry key the profile name is the application name (not the INI file).
    SetOwnedString(m_pszProfileName, m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr) {
        return nullptr;
    }
    HKEY hSoftKey = nullptr;
    HKEY hCompanyKey = nullptr;
    HKEY hAppKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_WRITE | KEY_READ, &hSoftKey) ==
        ERROR_SUCCESS) {
        DWORD dw = 0;
        if (::RegCreateKeyExW(hSoftKey, m_pszRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE | KEY_READ, nullptr, &hCompanyKey, &dw) == ERROR_SUCCESS) {
            ::RegCreateKeyExW(hCompanyKey, m_pszProfileName, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE | KEY_READ, nullptr, &hAppKey, &dw);
        }
    }
    if (hSoftKey != nullptr) {
        ::RegCloseKey(hSoftKey);
    }
    if (hCompanyKey != nullptr) {
        ::RegCloseKey(hCompanyKey);
    }
    return hAppKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    if (lpszSection == nullptr) {
        return nullptr;
    }
    HKEY hAppKey = GetAppRegistryKey();
    if (hAppKey == nullptr) {
        return nullptr;
    }
    HKEY hSectionKey = nullptr;
    DWORD dw = 0;
    ::RegCreateKeyExW(hAppKey, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE | KEY_READ, nullptr, &hSectionKey, &dw);
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (lpszSection == nullptr || lpszEntry == nullptr) {
        return static_cast<UINT>(nDefault);
    }
    if (m_pszRegistryKey != nullptr) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == nullptr) {
            return static_cast<UINT>(nDefault);
        }
        DWORD value = 0;
        DWORD type = 0;
        DWORD count = sizeof(DWORD);
        const LONG rc = ::RegQueryValueExW(hSecKey, lpszEntry, nullptr, &type,
                                           reinterpret_cast<LPBYTE>(&value), &count);
        ::RegCloseKey(hSecKey);
        if (rc == ERROR_SUCCESS && type == REG_DWORD && count == sizeof(DWORD)) {
            return value;
        }
        return static_cast<UINT>(nDefault);
    }
    return ::GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (lpszSection == nullptr || lpszEntry == nullptr) {
        return FALSE;
    }
    if (m_pszRegistryKey != nullptr) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == nullptr) {
            return FALSE;
        }
        const DWORD value = static_cast<DWORD>(nValue);
        const LONG rc = ::RegSetValueExW(hSecKey, lpszEntry, 0, REG_DWORD,
                                         reinterpret_cast<const BYTE*>(&value), sizeof(value));
        ::RegCloseKey(hSecKey);
        return rc == ERROR_SUCCESS;
    }
    wchar_t text[16];
    swprintf(text, 16, L"%d", nValue);
    return ::WritePrivateProfileStringW(lpszSection, lpszEntry, text, m_pszProfileName);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    const CString fallback(lpszDefault != nullptr ? lpszDefault : L"");
    if (lpszSection == nullptr || lpszEntry == nullptr) {
        return fallback;
    }
    if (m_pszRegistryKey != nullptr) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == nullptr) {
            return fallback;
        }
        CString value;
        const BOOL found = AfxReadRegistryString(hSecKey, lpszEntry, value);
        ::RegCloseKey(hSecKey);
        return found ? value : fallback;
    }
    // Grow until the value fits (the call reports size-1 or size-2 when it was cut).
    for (DWORD size = 256; size <= (1u << 20); size *= 2) {
        CString value;
        LPTSTR buffer = value.GetBuffer(static_cast<int>(size));
        const DWORD got = ::GetPrivateProfileStringW(lpszSection, lpszEntry, fallback, buffer,
                                                     size, m_pszProfileName);
        value.ReleaseBuffer(static_cast<int>(got));
        if (got < size - 2) {
            return value;
        }
    }
    return fallback;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (lpszSection == nullptr) {
        return FALSE;
    }
    if (m_pszRegistryKey != nullptr) {
        if (lpszEntry == nullptr) {
            // Removes the whole section.
            HKEY hAppKey = GetAppRegistryKey();
            if (hAppKey == nullptr) {
                return FALSE;
            }
            const LONG rc = ::RegDeleteKeyW(hAppKey, lpszSection);
            ::RegCloseKey(hAppKey);
            return rc == ERROR_SUCCESS;
        }
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == nullptr) {
            return FALSE;
        }
        LONG rc;
        if (lpszValue == nullptr) {
            rc = ::RegDeleteValueW(hSecKey, lpszEntry);
        } else {
            rc = ::RegSetValueExW(hSecKey, lpszEntry, 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(lpszValue),
                                  static_cast<DWORD>((wcslen(lpszValue) + 1) * sizeof(wchar_t)));
        }
        ::RegCloseKey(hSecKey);
        return rc == ERROR_SUCCESS;
    }
    return ::WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData,
                               UINT* pBytes)
{
    if (ppData == nullptr || pBytes == nullptr) {
        return FALSE;
    }
    *ppData = nullptr;
    *pBytes = 0;
    if (lpszSection == nullptr || lpszEntry == nullptr) {
        return FALSE;
    }
    if (m_pszRegistryKey != nullptr) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == nullptr) {
            return FALSE;
        }
        DWORD type = 0;
        DWORD count = 0;
        LONG rc = ::RegQueryValueExW(hSecKey, lpszEntry, nullptr, &type, nullptr, &count);
        if (rc == ERROR_SUCCESS && type == REG_BINARY && count <= (1u << 24)) {
            *ppData = new BYTE[count > 0 ? count : 1];
            rc = ::RegQueryValueExW(hSecKey, lpszEntry, nullptr, &type, *ppData, &count);
            if (rc == ERROR_SUCCESS) {
                *pBytes = count;
            } else {
                delete[] *ppData;
                *ppData = nullptr;
            }
        } else {
            rc = ERROR_FILE_NOT_FOUND;
        }
        ::RegCloseKey(hSecKey);
        return rc == ERROR_SUCCESS;
    }
    // INI form: each byte as two letters 'A' + nibble, low nibble first.
    const CString text = GetProfileString(lpszSection, lpszEntry, nullptr);
    const int length = text.GetLength();
    if (length <= 0 || (length % 2) != 0 || length > (1 << 24)) {
        return FALSE;
    }
    for (int i = 0; i < length; ++i) {
        if (text[i] < L'A' || text[i] > L'P') {
            return FALSE;  // not written by WriteProfileBinary
        }
    }
    const UINT bytes = static_cast<UINT>(length / 2);
    *ppData = new BYTE[bytes];
    for (UINT i = 0; i < bytes; ++i) {
        (*ppData)[i] = static_cast<BYTE>(((text[static_cast<int>(2 * i + 1)] - L'A') << 4) |
                                         (text[static_cast<int>(2 * i)] - L'A'));
    }
    *pBytes = bytes;
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData,
                                 UINT nBytes)
{
    if (lpszSection == nullptr || lpszEntry == nullptr || (pData == nullptr && nBytes != 0)) {
        return FALSE;
    }
    if (m_pszRegistryKey != nullptr) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == nullptr) {
            return FALSE;
        }
        const LONG rc = ::RegSetValueExW(hSecKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
        ::RegCloseKey(hSecKey);
        return rc == ERROR_SUCCESS;
    }
    std::wstring text(static_cast<size_t>(nBytes) * 2, L'A');
    for (UINT i = 0; i < nBytes; ++i) {
        text[2 * i] = static_cast<wchar_t>(L'A' + (pData[i] & 0x0F));
        text[2 * i + 1] = static_cast<wchar_t>(L'A' + ((pData[i] >> 4) & 0x0F));
    }
    return WriteProfileString(lpszSection, lpszEntry, text.c_str());
}

// ---- application-wide functions ------------------------------------------------------------

CWinApp* AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->GetMainWnd() : nullptr;
}

LPCTSTR AfxGetAppName()
{
    LPCTSTR name = AfxGetModuleState()->m_lpszCurrentAppName;
    return name != nullptr ? name : L"";
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    AfxSetInstanceHandle(hInstance);
    AfxSetResourceHandle(hInstance);
    if (CWinApp* app = AfxGetApp()) {
        app->m_hInstance = hInstance;
        app->m_lpCmdLine = lpCmdLine;
        app->m_nCmdShow = nCmdShow;
        app->m_nThreadID = ::GetCurrentThreadId();
        SetCurrentHandles(app);
    }
    return TRUE;
}

namespace {
// Set by AfxOleInit on the thread that runs the application, undone by AfxWinTerm.
bool g_oleInitialized = false;
}  // namespace

void AfxWinTerm()
{
    CWnd::DeleteTempMap();
    if (g_oleInitialized) {
        g_oleInitialized = false;
        ::OleUninitialize();
    }
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* app = AfxGetApp();
    int nReturnCode = -1;
    if (app == nullptr || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) ||
        !app->InitApplication()) {
        AfxWinTerm();
        return nReturnCode;
    }
    if (!app->InitInstance()) {
        if (app->m_pMainWnd != nullptr && app->m_pMainWnd->m_hWnd != nullptr) {
            app->m_pMainWnd->DestroyWindow();
        }
        nReturnCode = app->ExitInstance();
    } else {
        nReturnCode = app->Run();
    }
    AfxWinTerm();
    return nReturnCode;
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* app = AfxGetApp()) {
        return app->DoMessageBox(lpszText, nType, nIDHelp);
    }
    HWND hWndTop = nullptr;
    HWND hWnd = CWnd::GetSafeOwner_(nullptr, &hWndTop);
    const int result = ::MessageBoxW(hWnd, lpszText != nullptr ? lpszText : L"", AfxGetAppName(),
                                     nType);
    if (hWndTop != nullptr) {
        ::EnableWindow(hWndTop, TRUE);
    }
    return result;
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString prompt;
    if (!prompt.LoadString(nIDPrompt)) {
        prompt.Format(L"Message %u is missing from the resources.", nIDPrompt);
    }
    if (nIDHelp == static_cast<UINT>(-1)) {
        nIDHelp = nIDPrompt;
    }
    return AfxMessageBox(prompt, nType, nIDHelp);
}

BOOL AfxReadRegistryString(HKEY hKey, LPCTSTR lpszEntry, CString& value)
{
    DWORD type = 0;
    DWORD count = 0;
    LONG rc = ::RegQueryValueExW(hKey, lpszEntry, nullptr, &type, nullptr, &count);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return FALSE;
    }
    CString text;
    const int chars = static_cast<int>(count / sizeof(wchar_t));
    LPTSTR buffer = text.GetBuffer(chars + 1);
    DWORD bytes = count;
    rc = ::RegQueryValueExW(hKey, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(buffer),
                            &bytes);
    buffer[bytes / sizeof(wchar_t) <= static_cast<DWORD>(chars) ? bytes / sizeof(wchar_t) : chars] =
        0;
    text.ReleaseBuffer();
    if (rc != ERROR_SUCCESS) {
        return FALSE;
    }
    value = text;
    return TRUE;
}

BOOL AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASSW existing{};
    if (::GetClassInfoW(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing)) {
        return TRUE;
    }
    return ::RegisterClassW(lpWndClass) != 0;
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground,
                            HICON hIcon)
{
    static std::mutex lock;
    static std::set<std::wstring> names;
    HINSTANCE hInst = AfxGetInstanceHandle();
    wchar_t name[96];
    swprintf(name, 96, L"Afx:%p:%x:%p:%p:%p", static_cast<void*>(hInst), nClassStyle,
             static_cast<void*>(hCursor), static_cast<void*>(hbrBackground),
             static_cast<void*>(hIcon));
    std::lock_guard<std::mutex> guard(lock);
    const std::wstring& stored = *names.insert(name).first;
    WNDCLASSW wc{};
    if (!::GetClassInfoW(hInst, stored.c_str(), &wc)) {
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = hInst;
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = stored.c_str();
        if (::RegisterClassW(&wc) == 0) {
            return nullptr;
        }
    }
    return stored.c_str();
}

BOOL AfxInitRichEdit()
{
    static HMODULE module = ::LoadLibraryW(L"RICHED32.DLL");
    return module != nullptr;
}

BOOL AfxInitRichEdit2()
{
    static HMODULE module = ::LoadLibraryW(L"RICHED20.DLL");
    return module != nullptr;
}

BOOL AfxOleInit()
{
    if (g_oleInitialized) {
        return TRUE;
    }
    const HRESULT hr = ::OleInitialize(nullptr);
    // S_FALSE also takes a reference that must be given back.
    g_oleInitialized = SUCCEEDED(hr);
    return g_oleInitialized;
}

void AfxEnableControlContainer() {}
