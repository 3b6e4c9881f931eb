// URL cracking with InternetCanonicalizeUrlW and InternetCrackUrlW.
#include "platform/framework/AfxParseURL.h"

#include <cwchar>
#include <vector>

namespace {

DWORD ServiceFromScheme(INTERNET_SCHEME scheme) noexcept
{
    switch (scheme) {
    case INTERNET_SCHEME_FTP: return AFX_INET_SERVICE_FTP;
    case INTERNET_SCHEME_GOPHER: return AFX_INET_SERVICE_GOPHER;
    case INTERNET_SCHEME_HTTP: return AFX_INET_SERVICE_HTTP;
    case INTERNET_SCHEME_HTTPS: return AFX_INET_SERVICE_HTTPS;
    case INTERNET_SCHEME_FILE: return AFX_INET_SERVICE_FILE;
    case INTERNET_SCHEME_NEWS: return AFX_INET_SERVICE_NEWS;
    case INTERNET_SCHEME_MAILTO: return AFX_INET_SERVICE_MAILTO;
    default: return AFX_INET_SERVICE_UNK;
    }
}

bool Canonicalize(LPCTSTR url, DWORD flags, std::vector<wchar_t>& out)
{
    DWORD length = 2048;
    for (int attempt = 0; attempt < 4; ++attempt) {
        out.assign(static_cast<size_t>(length) + 1, L'\0');
        DWORD size = length;
        if (::InternetCanonicalizeUrlW(url, out.data(), &size, flags)) {
            return true;
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= length) {
            return false;
        }
        length = size + 1;
    }
    return false;
}

}  // namespace

BOOL AFXAPI AfxParseURLEx(LPCTSTR url, DWORD& serviceType, CString& server, CString& object,
                          INTERNET_PORT& port, CString& userName, CString& password, DWORD flags)
{
    serviceType = AFX_INET_SERVICE_UNK;
    server.Empty();
    object.Empty();
    port = 0;
    userName.Empty();
    password.Empty();
    if (!url || !*url) {
        return FALSE;
    }
    std::vector<wchar_t> canonical;
    if (!Canonicalize(url, flags, canonical)) {
        return FALSE;
    }
    // Every part gets its own buffer as long as the whole URL, so none can be cut short.
    size_t capacity = std::wcslen(canonical.data()) + 1;
    std::vector<wchar_t> scheme(capacity), host(capacity), user(capacity), pass(capacity),
        path(capacity), extra(capacity);
    URL_COMPONENTSW parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.lpszScheme = scheme.data();
    parts.dwSchemeLength = static_cast<DWORD>(capacity);
    parts.lpszHostName = host.data();
    parts.dwHostNameLength = static_cast<DWORD>(capacity);
    parts.lpszUserName = user.data();
    parts.dwUserNameLength = static_cast<DWORD>(capacity);
    parts.lpszPassword = pass.data();
    parts.dwPasswordLength = static_cast<DWORD>(capacity);
    parts.lpszUrlPath = path.data();
    parts.dwUrlPathLength = static_cast<DWORD>(capacity);
    parts.lpszExtraInfo = extra.data();
    parts.dwExtraInfoLength = static_cast<DWORD>(capacity);
    if (!::InternetCrackUrlW(canonical.data(), 0, 0, &parts)) {
        return FALSE;
    }
    serviceType = ServiceFromScheme(parts.nScheme);
    server = host.data();
    object = path.data();
    object += extra.data();
    port = parts.nPort;
    userName = user.data();
    password = pass.data();
    return TRUE;
}

BOOL AFXAPI AfxParseURL(LPCTSTR url, DWORD& serviceType, CString& server, CString& object,
                        INTERNET_PORT& port)
{
    CString userName;
    CString password;
    return AfxParseURLEx(url, serviceType, server, object, port, userName, password, 0);
}
